// orvello_sounds_gen OUTPUT_FOLDER
// Writes Orvello's alarm sounds as OUTPUT_FOLDER/0.wav ... 6.wav (16-bit PCM mono, 22050 Hz).
#include <cstdio>
#include <string>

#include "tools/sounds/AlarmSounds.h"
#include "tools/sounds/WavFile.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvello_sounds_gen OUTPUT_FOLDER\n");
        return 2;
    }
    int failures = 0;
    for (int i = 0; i < sounds::kAlarmCount; ++i) {
        const std::string path = std::string(argv[1]) + "/" + std::to_string(i) + ".wav";
        const std::vector<uint8_t> bytes = sounds::EncodeWav(sounds::MakeAlarm(i));
        std::FILE* f = std::fopen(path.c_str(), "wb");
        const bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        if (f != nullptr && std::fclose(f) != 0) failures++;
        if (!ok) {
            std::fprintf(stderr, "orvello_sounds_gen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
