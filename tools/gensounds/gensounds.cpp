// Writes the program's sound cues as small PCM WAV files into the folder given: a rising chime
// for a private message, a bell for the sheep and the about box, a soft arpeggio for a watched
// player. Generated here so the build needs no audio files from anywhere else.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Partial {
    double freq, gain, decay;  // Hz, 0..1, per second
};
struct Note {
    double start, length;  // seconds
    std::vector<Partial> partials;
};

std::vector<double> render(const std::vector<Note>& notes, double seconds) {
    std::vector<double> out(static_cast<std::size_t>(seconds * kRate), 0.0);
    for (const auto& n : notes) {
        const auto first = static_cast<std::size_t>(n.start * kRate);
        const auto count = static_cast<std::size_t>(n.length * kRate);
        for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double attack = std::min(1.0, t / 0.004);               // no click at the start
            const double release = std::min(1.0, (n.length - t) / 0.01);  // nor at the end
            double v = 0;
            for (const auto& p : n.partials)
                v += p.gain * std::exp(-p.decay * t) * std::sin(2 * kPi * p.freq * t);
            out[first + i] += v * attack * release;
        }
    }
    return out;
}

void put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(s, static_cast<std::uint16_t>(v >> 16));
}

bool writeWav(const std::string& path, const std::vector<double>& samples, double volume) {
    double peak = 1e-9;
    for (double v : samples)
        peak = std::max(peak, std::abs(v));
    std::string data;
    for (double v : samples)
        put16(data, static_cast<std::uint16_t>(
                        static_cast<std::int16_t>(std::lround(v / peak * volume * 32767.0))));
    std::string wav = "RIFF";
    put32(wav, static_cast<std::uint32_t>(36 + data.size()));
    wav += "WAVEfmt ";
    put32(wav, 16);
    put16(wav, 1);  // PCM
    put16(wav, 1);  // mono
    put32(wav, kRate);
    put32(wav, kRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav += "data";
    put32(wav, static_cast<std::uint32_t>(data.size()));
    wav += data;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(wav.data(), static_cast<std::streamsize>(wav.size()));
    return static_cast<bool>(out);
}

Note chime(double start, double freq, double length) {
    return {start, length, {{freq, 1.0, 9}, {freq * 2, 0.25, 14}, {freq * 3, 0.08, 20}}};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gensounds <folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = true;
    // Private message: two notes up a fifth.
    ok &= writeWav(dir + "pm-received.wav",
                   render({chime(0, 880, 0.16), chime(0.11, 1318.5, 0.3)}, 0.42), 0.6);
    // Bell: an inharmonic strike that rings out.
    ok &= writeWav(
        dir + "bong24.wa2",
        render(
            {{0,
              0.9,
              {{392, 1.0, 4}, {392 * 2.76, 0.45, 7}, {392 * 5.4, 0.2, 12}, {392 * 0.5, 0.3, 3}}}},
            0.9),
        0.6);
    // Watched player: a quiet major arpeggio.
    ok &= writeWav(
        dir + "watched.wav",
        render({chime(0, 523.25, 0.2), chime(0.09, 659.25, 0.2), chime(0.18, 783.99, 0.3)}, 0.5),
        0.5);
    if (!ok) std::fprintf(stderr, "gensounds: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
