// iconmaker: writes a program icon (.ico with 16, 32 and 48 pixel 32-bit images) drawn from code.
// Usage: iconmaker <monitor|camera> <out.ico>. The output is the same byte for byte on every run.
//
// The picture is a camera lens: a dark body ring, a coloured trim ring, dark glass and two
// highlights; the designs differ in their trim colour and tile.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rgba {
    double r, g, b, a;
};

struct Design {
    Rgba tile;  // rounded square behind the lens
    Rgba trim;  // ring around the glass
};

Rgba Over(Rgba top, Rgba under) {
    double a = top.a + under.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

// Coverage of a disc edge at distance d from the centre, with a one-pixel soft edge.
double Disc(double d, double radius) {
    double c = radius - d + 0.5;
    return c < 0 ? 0 : (c > 1 ? 1 : c);
}

double RoundedSquare(double x, double y, double size, double corner) {
    double half = size / 2;
    double dx = std::fabs(x - half) - (half - corner);
    double dy = std::fabs(y - half) - (half - corner);
    double outside = std::hypot(dx > 0 ? dx : 0, dy > 0 ? dy : 0) + std::fmin(std::fmax(dx, dy), 0.0);
    double c = corner - outside + 0.5;
    return c < 0 ? 0 : (c > 1 ? 1 : c);
}

std::vector<uint8_t> PaintBgra(int size, const Design& design) {
    std::vector<uint8_t> bgra(static_cast<size_t>(size * size * 4));
    double s = size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double d = std::hypot(px - s / 2, py - s / 2);
            Rgba c{0, 0, 0, 0};
            Rgba tile = design.tile;
            tile.a *= RoundedSquare(px, py, s, s * 0.22);
            c = Over(tile, c);
            c = Over({0.12, 0.12, 0.14, Disc(d, s * 0.44)}, c);  // body
            c = Over({design.trim.r, design.trim.g, design.trim.b, Disc(d, s * 0.36)}, c);
            c = Over({0.05, 0.06, 0.10, Disc(d, s * 0.28)}, c);        // glass
            c = Over({0.20, 0.30, 0.55, Disc(d, s * 0.16) * 0.9}, c);  // inner glow
            double hx = std::hypot(px - s * 0.40, py - s * 0.38);
            c = Over({1, 1, 1, Disc(hx, s * 0.07) * 0.9}, c);  // highlight
            double hy = std::hypot(px - s * 0.58, py - s * 0.60);
            c = Over({1, 1, 1, Disc(hy, s * 0.035) * 0.6}, c);
            uint8_t* p = &bgra[static_cast<size_t>(((size - 1 - y) * size + x) * 4)];  // bottom-up rows
            auto byte = [](double v) {
                return static_cast<uint8_t>(std::lround(std::fmin(1, std::fmax(0, v)) * 255));
            };
            p[0] = byte(c.b);
            p[1] = byte(c.g);
            p[2] = byte(c.r);
            p[3] = byte(c.a);
        }
    }
    return bgra;
}

void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One icon image: BITMAPINFOHEADER (double height), BGRA rows, then the 1-bit AND mask.
std::vector<uint8_t> IconImage(int size, const Design& design) {
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(size));
    Put32(out, static_cast<unsigned>(size * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    std::vector<uint8_t> bgra = PaintBgra(size, design);
    out.insert(out.end(), bgra.begin(), bgra.end());
    int maskStride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (bgra[static_cast<size_t>((y * size + x) * 4 + 3)] == 0)
                row[static_cast<size_t>(x / 8)] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: iconmaker <monitor|camera> <out.ico>\n");
        return 2;
    }
    std::string name = argv[1];
    Design design;
    if (name == "monitor") {
        design = {{0.10, 0.55, 0.75, 1}, {0.30, 0.85, 0.95, 1}};
    } else if (name == "camera") {
        design = {{0.85, 0.35, 0.20, 1}, {0.95, 0.75, 0.30, 1}};
    } else {
        std::fprintf(stderr, "iconmaker: unknown design %s\n", argv[1]);
        return 2;
    }
    const int sizes[] = {16, 32, 48};
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) images.push_back(IconImage(size, design));

    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, 3);
    unsigned offset = 6 + 16 * 3;
    for (size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<uint8_t>(sizes[i]));
        file.push_back(static_cast<uint8_t>(sizes[i]));
        file.push_back(0);  // no palette
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, static_cast<unsigned>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());

    FILE* out = std::fopen(argv[2], "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "iconmaker: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
