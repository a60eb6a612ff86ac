#include "monitor/libs/YsCapture/core/AviReader.h"

#include "monitor/libs/YsCapture/core/AviWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace yscap {
namespace {

uint32_t Rd32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

const uint32_t kList = MakeFourCc('L', 'I', 'S', 'T');

std::string FourCcText(uint32_t f) {
    std::string s(4, ' ');
    for (int i = 0; i < 4; ++i) s[i] = char((f >> (8 * i)) & 0xFF);
    return s;
}

struct Parser {
    const uint8_t* data;
    size_t size;
    AviFileInfo& out;
    std::string& error;

    bool Fail(const std::string& why) {
        error = why;
        return false;
    }

    bool ParseStreamList(size_t begin, size_t end) {
        AviStreamInfo stream;
        bool haveHeader = false;
        for (size_t at = begin; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (at + 8 + len > end) return Fail("strl chunk overruns its list");
            const uint8_t* body = data + at + 8;
            if (id == MakeFourCc('s', 't', 'r', 'h')) {
                if (len < 48) return Fail("strh too short");
                stream.type = Rd32(body);
                stream.handler = Rd32(body + 4);
                stream.scale = Rd32(body + 20);
                stream.rate = Rd32(body + 24);
                stream.length = Rd32(body + 32);
                stream.suggestedBufferSize = Rd32(body + 36);
                stream.sampleSize = Rd32(body + 44);
                haveHeader = true;
            } else if (id == MakeFourCc('s', 't', 'r', 'f')) {
                stream.format.assign(body, body + len);
            }
            at += 8 + len + (len & 1);
        }
        if (!haveHeader) return Fail("stream list without strh");
        out.streams.push_back(std::move(stream));
        return true;
    }

    bool ParseHeaderList(size_t begin, size_t end) {
        for (size_t at = begin; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (at + 8 + len > end) return Fail("hdrl chunk overruns its list");
            const uint8_t* body = data + at + 8;
            if (id == MakeFourCc('a', 'v', 'i', 'h')) {
                if (len < 40) return Fail("avih too short");
                AviMainHeader& m = out.main;
                m.microSecPerFrame = Rd32(body);
                m.maxBytesPerSec = Rd32(body + 4);
                m.flags = Rd32(body + 12);
                m.totalFrames = Rd32(body + 16);
                m.streams = Rd32(body + 24);
                m.suggestedBufferSize = Rd32(body + 28);
                m.width = Rd32(body + 32);
                m.height = Rd32(body + 36);
            } else if (id == kList && len >= 4 && Rd32(body) == MakeFourCc('s', 't', 'r', 'l')) {
                if (!ParseStreamList(at + 12, at + 8 + len)) return false;
            }
            at += 8 + len + (len & 1);
        }
        return true;
    }

    bool ParseMovi(size_t begin, size_t end) {
        for (size_t at = begin; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (at + 8 + len > end) return Fail("movi chunk " + FourCcText(id) + " overruns the list");
            if (id == kList) {  // 'rec ' lists group chunks
                if (!ParseMovi(at + 12, at + 8 + len)) return false;
            } else {
                out.chunks.push_back({id, uint32_t(at), len});
            }
            at += 8 + len + (len & 1);
        }
        return true;
    }

    bool Run() {
        out = AviFileInfo{};
        out.fileSize = size;
        if (size < 12 || Rd32(data) != MakeFourCc('R', 'I', 'F', 'F') ||
            Rd32(data + 8) != MakeFourCc('A', 'V', 'I', ' '))
            return Fail("not a RIFF AVI file");
        out.riffSize = Rd32(data + 4);
        const size_t end = std::min<size_t>(size, size_t(out.riffSize) + 8);
        bool sawHeader = false, sawMovi = false;
        for (size_t at = 12; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (at + 8 + len > end) return Fail("top-level chunk " + FourCcText(id) + " overruns the file");
            if (id == kList && len >= 4) {
                const uint32_t kind = Rd32(data + at + 8);
                if (kind == MakeFourCc('h', 'd', 'r', 'l')) {
                    if (!ParseHeaderList(at + 12, at + 8 + len)) return false;
                    sawHeader = true;
                } else if (kind == MakeFourCc('m', 'o', 'v', 'i')) {
                    out.moviOffset = uint32_t(at + 8);
                    if (!ParseMovi(at + 12, at + 8 + len)) return false;
                    sawMovi = true;
                }
            } else if (id == MakeFourCc('i', 'd', 'x', '1')) {
                out.hasIndex = true;
                for (uint32_t i = 0; i + 16 <= len; i += 16) {
                    const uint8_t* e = data + at + 8 + i;
                    out.index.push_back({Rd32(e), Rd32(e + 4), Rd32(e + 8), Rd32(e + 12)});
                }
            }
            at += 8 + len + (len & 1);
        }
        if (!sawHeader) return Fail("no hdrl list");
        if (!sawMovi) return Fail("no movi list");
        return true;
    }
};

}  // namespace

size_t AviFileInfo::ChunkCount(int stream) const {
    size_t n = 0;
    for (const AviChunk& c : chunks) {
        const int s = (int((c.ckid & 0xFF) - '0') * 10) + int(((c.ckid >> 8) & 0xFF) - '0');
        if (s == stream) ++n;
    }
    return n;
}

bool ParseAvi(const uint8_t* data, size_t size, AviFileInfo& out, std::string& error) {
    Parser p{data, size, out, error};
    return p.Run();
}

bool ParseAviFile(const std::string& path, AviFileInfo& out, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return ParseAvi(bytes.data(), bytes.size(), out, error);
}

std::string CheckAviIndex(const AviFileInfo& avi) {
    if (!avi.hasIndex) return "no idx1";
    if (avi.index.size() != avi.chunks.size())
        return "index has " + std::to_string(avi.index.size()) + " entries for " +
               std::to_string(avi.chunks.size()) + " chunks";
    for (size_t i = 0; i < avi.index.size(); ++i) {
        const AviIndexEntry& e = avi.index[i];
        const AviChunk& c = avi.chunks[i];
        // Offsets count from the 'movi' four-cc (the usual form) or from the file start.
        const bool offsetOk = e.offset + avi.moviOffset == c.offset || e.offset == c.offset;
        if (e.ckid != c.ckid || e.size != c.size || !offsetOk)
            return "index entry " + std::to_string(i) + " (" + FourCcText(e.ckid) +
                   ") does not match its chunk";
    }
    for (size_t i = 0; i < avi.index.size(); ++i) {
        if (avi.index[i].ckid == MakeFourCc('0', '0', 'd', 'c') ||
            avi.index[i].ckid == MakeFourCc('0', '0', 'd', 'b')) {
            if (!(avi.index[i].flags & 0x10)) return "first video chunk is not a key frame";
            break;
        }
    }
    return {};
}

}  // namespace yscap
