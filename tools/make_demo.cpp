// Writes the demo sound: a few seconds of a gentle chord with a rising tone, 16-bit stereo
// 44,100 Hz, made here so that the project ships no recorded sound.
#include <cmath>
#include <cstdint>
#include <iostream>
#include <vector>

#include "files/file_stream.h"
#include "files/wav_format.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: pelkit_make_demo OUT.wav\n";
        return 2;
    }
    constexpr int kRate = 44100;
    constexpr int kSeconds = 4;
    constexpr double kPi = 3.14159265358979323846;
    pelkit::FileStream out;
    if (!out.open(argv[1], pelkit::FileStream::Mode::WriteTruncate)) {
        std::cerr << "pelkit_make_demo: cannot write " << argv[1] << '\n';
        return 1;
    }
    pelkit::WaveFormat format = pelkit::makeWaveFormat(1, 2, kRate, 16);
    pelkit::WriteWavHeader(out, format, 0);
    std::vector<int16_t> frames;
    frames.reserve(2 * kRate);
    uint32_t total = 0;
    for (int n = 0; n < kRate * kSeconds; ++n) {
        double t = static_cast<double>(n) / kRate;
        double envelope = std::min(1.0, t * 4) * std::min(1.0, (kSeconds - t) * 2);
        double chord = std::sin(2 * kPi * 261.63 * t) + std::sin(2 * kPi * 329.63 * t) +
                       std::sin(2 * kPi * 392.00 * t);
        double sweep = std::sin(2 * kPi * (440.0 * t + 55.0 * t * t));
        double left = envelope * (0.22 * chord + 0.15 * sweep);
        double right = envelope * (0.22 * chord - 0.15 * sweep);
        frames.push_back(static_cast<int16_t>(left * 32767 / 1.2));
        frames.push_back(static_cast<int16_t>(right * 32767 / 1.2));
        if (frames.size() == 2 * kRate || n + 1 == kRate * kSeconds) {
            out.write(frames.data(), frames.size() * sizeof(int16_t));
            total += static_cast<uint32_t>(frames.size() * sizeof(int16_t));
            frames.clear();
        }
    }
    pelkit::WriteWavHeader(out, format, total);
    return out.bad() ? 1 : 0;
}
