// Draws the photo frames that ship in PelCamera's Effects folder: 640 x 480, 32 bits a pixel
// (B, G, R, opacity), bottom-up rows right behind a 40-byte info header. The middle of each frame is
// transparent so the video shows through. Deterministic: the same bytes on every run.
//
// Usage: make-frames OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kPi = 3.14159265358979323846;

struct Colour {
    double r, g, b, a;  // 0..1, not premultiplied
};

struct Canvas {
    std::vector<Colour> pixels =
        std::vector<Colour>(static_cast<std::size_t>(kWidth) * kHeight, Colour{0, 0, 0, 0});
    Colour& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * kWidth + x]; }
};

double Clamp01(double v) {
    return std::min(1.0, std::max(0.0, v));
}
double Smooth(double edge0, double edge1, double v) {
    const double t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}
double Mix(double a, double b, double t) {
    return a + (b - a) * t;
}

// Paints `top` over `base` with the given extra coverage.
Colour Over(const Colour& base, const Colour& top, double coverage) {
    const double a = Clamp01(top.a * coverage);
    const double outA = a + base.a * (1 - a);
    if (outA <= 0) return Colour{0, 0, 0, 0};
    auto channel = [&](double t, double b) { return (t * a + b * base.a * (1 - a)) / outA; };
    return Colour{channel(top.r, base.r), channel(top.g, base.g), channel(top.b, base.b), outA};
}

// Smooth value noise from an integer hash.
double Hash(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}
double Noise(double x, double y) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = Smooth(0, 1, x - ix), fy = Smooth(0, 1, y - iy);
    return Mix(Mix(Hash(ix, iy), Hash(ix + 1, iy), fx), Mix(Hash(ix, iy + 1), Hash(ix + 1, iy + 1), fx), fy);
}

// Signed distance from pixel centre (x, y) to a rounded rectangle inset by `inset` with corner
// radius `radius`: negative inside the opening.
double OpeningDistance(double x, double y, double inset, double radius) {
    const double halfW = kWidth / 2.0 - inset, halfH = kHeight / 2.0 - inset;
    const double qx = std::fabs(x - kWidth / 2.0) - (halfW - radius);
    const double qy = std::fabs(y - kHeight / 2.0) - (halfH - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// A shadow the frame casts into the opening: dark, fading over `reach` pixels.
Colour InnerShadow(double distance, double reach, double strength) {
    return Colour{0, 0, 0, distance < 0 ? strength * Smooth(-reach, 0, distance) : 0};
}

Canvas Gold() {
    Canvas c;
    const double inset = 38, radius = 26;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = OpeningDistance(px, py, inset, radius);
            const double edge = std::min(std::min(px, kWidth - px), std::min(py, kHeight - py));
            // Profile across the moulding: outer roll, flat, inner bead.
            const double t = Clamp01(edge / (inset + 2));
            double light = 0.72 + 0.28 * std::cos(t * 2.6 * kPi) * (1 - 0.4 * t);
            light += 0.10 * std::sin((px + py) * 0.018) + 0.06 * (Noise(px * 0.15, py * 0.15) - 0.5);
            if (std::fabs(d - 6) < 2.2) light -= 0.25 * (1 - std::fabs(d - 6) / 2.2);  // engraved line
            if (d > 0 && d < 3) light += 0.22 * (1 - d / 3);                           // bright inner lip
            if (edge < 2) light -= 0.3;                                                // dark outer rim
            light = Clamp01(light);
            Colour gold{Mix(0.45, 1.0, light), Mix(0.30, 0.86, light), Mix(0.05, 0.42, light * light), 1};
            Colour& out = c.At(x, y);
            out = Over(InnerShadow(d, 10, 0.45), gold, Smooth(-0.6, 0.6, d));
        }
    return c;
}

Canvas Wood() {
    Canvas c;
    const double inset = 42;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = OpeningDistance(px, py, inset, 2);
            // Four boards meeting in mitred corners: the grain runs along each board.
            const double left = px, right = kWidth - px, top = py, bottom = kHeight - py;
            const double nearest = std::min(std::min(left, right), std::min(top, bottom));
            const bool across = nearest == top || nearest == bottom;
            const double along = across ? px : py;
            const double depth = nearest;
            const int board = nearest == top ? 0 : nearest == bottom ? 1 : nearest == left ? 2 : 3;
            const double wobble =
                3.0 * Noise(along * 0.012 + board * 17, depth * 0.05) + 0.8 * std::sin(along * 0.021 + board);
            const double rings = depth * 0.33 + wobble * 2.2;
            const double grain = std::pow(std::fabs(std::sin(rings * kPi / 2.2)), 6);
            const double fleck = Noise(along * 0.6 + board * 31, depth * 2.0);
            double light = 0.62 - 0.22 * grain + 0.08 * (fleck - 0.5);
            light *= 0.85 + 0.15 * Smooth(0, 8, depth);  // rounded outer edge
            if (d > 0 && d < 4) light *= 0.6 + 0.1 * d;  // inner rebate
            const double mitre = std::fabs(std::min(left, right) - std::min(top, bottom));
            if (mitre < 1.2 && d > 0) light *= 0.7 + 0.25 * mitre;  // joint line
            Colour wood{Mix(0.16, 0.78, light), Mix(0.08, 0.50, light), Mix(0.03, 0.24, light), 1};
            c.At(x, y) = Over(InnerShadow(d, 12, 0.5), wood, Smooth(-0.6, 0.6, d));
        }
    return c;
}

Canvas Film() {
    Canvas c;
    const double strip = 58, side = 14;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            // Opening: the picture between the strips, slightly rounded.
            const double qx = std::fabs(px - kWidth / 2.0) - (kWidth / 2.0 - side - 8);
            const double qy = std::fabs(py - kHeight / 2.0) - (kHeight / 2.0 - strip - 8);
            const double d =
                std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - 8;
            Colour film{0.06, 0.05, 0.05, 0.96};
            // Sprocket holes along both strips.
            const double inStrip = py < strip ? py : kHeight - py;
            if (inStrip < strip) {
                const double pitch = 32;
                const double hx = std::fmod(px + pitch / 2, pitch) - pitch / 2;
                const double hy = inStrip - strip / 2 + 4;
                const double hole =
                    std::hypot(std::max(std::fabs(hx) - 6, 0.0), std::max(std::fabs(hy) - 9, 0.0)) +
                    std::min(std::max(std::fabs(hx) - 6, std::fabs(hy) - 9), 0.0) - 3;
                film = Over(film, Colour{0.93, 0.93, 0.90, 1}, Smooth(0.6, -0.6, hole));
            }
            // A warm edge line where the strip meets the picture.
            if (d > 0 && d < 2.5) film = Over(film, Colour{0.85, 0.55, 0.20, 1}, 0.55 * (1 - d / 2.5));
            c.At(x, y) = Over(Colour{0, 0, 0, 0}, film, Smooth(-0.6, 0.6, d));
        }
    return c;
}

// Heart of unit size centred on the origin, y up: inside when (x^2 + y^2 - 1)^3 - x^2 y^3 <= 0.
bool InHeart(double x, double y) {
    const double q = x * x + y * y - 1;
    return q * q * q - x * x * y * y * y <= 0;
}

Canvas Hearts() {
    Canvas c;
    // A soft rose glow around the edge, fading towards the middle.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double edge =
                std::min(std::min(x + 0.5, kWidth - x - 0.5), std::min(y + 0.5, kHeight - y - 0.5));
            c.At(x, y) = Colour{1.0, 0.80, 0.86, 0.80 * (1 - Smooth(0, 56, edge))};
        }
    // Hearts around the border, alternating red and pink, every other one a little smaller.
    struct Heart {
        double x, y, size;
        Colour colour;
    };
    std::vector<Heart> hearts;
    const Colour red{0.86, 0.08, 0.24, 1}, pink{1.0, 0.45, 0.62, 1};
    int n = 0;
    auto add = [&](double x, double y) {
        hearts.push_back(Heart{x, y, n % 2 ? 11.0 : 15.0, n % 2 ? pink : red});
        ++n;
    };
    for (double x = 24; x <= kWidth - 24 + 0.1; x += (kWidth - 48) / 15.0) add(x, 22);
    for (double y = 22 + (kHeight - 44) / 11.0; y < kHeight - 22 - 1; y += (kHeight - 44) / 11.0)
        add(kWidth - 24, y);
    for (double x = kWidth - 24; x >= 24 - 0.1; x -= (kWidth - 48) / 15.0) add(x, kHeight - 22);
    for (double y = kHeight - 22 - (kHeight - 44) / 11.0; y > 22 + 1; y -= (kHeight - 44) / 11.0) add(24, y);

    for (const Heart& h : hearts) {
        const int r = static_cast<int>(h.size * 1.4) + 2;
        for (int y = static_cast<int>(h.y) - r; y <= static_cast<int>(h.y) + r; ++y)
            for (int x = static_cast<int>(h.x) - r; x <= static_cast<int>(h.x) + r; ++x) {
                if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) continue;
                int inside = 0, shine = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx) {
                        const double ux = (x + (sx + 0.5) / 4 - h.x) / h.size;
                        const double uy = -(y + (sy + 0.5) / 4 - h.y) / h.size + 0.15;
                        if (InHeart(ux * 1.1, uy * 1.1)) {
                            ++inside;
                            if (std::hypot(ux + 0.45, uy - 0.55) < 0.22) ++shine;
                        }
                    }
                if (inside == 0) continue;
                Colour colour = h.colour;
                colour = Over(colour, Colour{1, 1, 1, 1}, 0.7 * shine / std::max(1, inside));
                c.At(x, y) = Over(c.At(x, y), colour, inside / 16.0);
            }
    }
    return c;
}

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint8_t Byte(double v) {
    return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255));
}

bool WriteBitmap(const std::string& path, const Canvas& canvas) {
    const std::uint32_t pixelBytes = kWidth * kHeight * 4;
    std::vector<std::uint8_t> file(54 + pixelBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    Put32(file, 10, 54);
    Put32(file, 14, 40);
    Put32(file, 18, kWidth);
    Put32(file, 22, kHeight);  // positive: bottom-up
    Put16(file, 26, 1);
    Put16(file, 28, 32);
    Put32(file, 34, pixelBytes);
    Put32(file, 38, 2835);  // 72 dpi
    Put32(file, 42, 2835);
    std::size_t at = 54;
    for (int y = kHeight - 1; y >= 0; --y)
        for (int x = 0; x < kWidth; ++x) {
            const Colour& p = canvas.pixels[static_cast<std::size_t>(y) * kWidth + x];
            const std::uint8_t alpha = Byte(p.a);
            file[at++] = alpha ? Byte(p.b) : 0;
            file[at++] = alpha ? Byte(p.g) : 0;
            file[at++] = alpha ? Byte(p.r) : 0;
            file[at++] = alpha;
        }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        std::function<Canvas()> draw;
    } frames[] = {{"Gold", Gold}, {"Wood", Wood}, {"Film", Film}, {"Hearts", Hearts}};
    for (const auto& frame : frames) {
        const std::string path = folder + "/" + frame.name + ".bmp";
        if (!WriteBitmap(path, frame.draw())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
