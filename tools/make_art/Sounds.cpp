// Sounds: the reel tick and the warning tone, as 16-bit mono WAV files.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/make_art/Art.h"

namespace art {

std::vector<uint8_t> wav(const std::vector<float>& samples, uint32_t rate) {
    std::vector<uint8_t> v;
    uint32_t dataBytes = uint32_t(samples.size()) * 2;
    v.insert(v.end(), {'R', 'I', 'F', 'F'});
    put32(v, 36 + dataBytes);
    v.insert(v.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(v, 16);
    put16(v, 1); // PCM
    put16(v, 1); // mono
    put32(v, rate);
    put32(v, rate * 2);
    put16(v, 2);
    put16(v, 16);
    v.insert(v.end(), {'d', 'a', 't', 'a'});
    put32(v, dataBytes);
    for (float s : samples) {
        int x = int(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        put16(v, uint32_t(uint16_t(int16_t(x))));
    }
    return v;
}

std::vector<float> makeDing() {
    // 70 ms: a bright bell-like tick, fast decay.
    size_t n = kRate * 70 / 1000;
    std::vector<float> s(n);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / kRate;
        double attack = std::min(1.0, t / 0.0015);
        double env = attack * std::exp(-t / 0.016);
        double tail = 1.0 - smoothstep(0.060f, 0.070f, float(t));
        double v = std::sin(2 * kPiD * 2093.0 * t) + 0.4 * std::sin(2 * kPiD * 4186.0 * t) * std::exp(-t / 0.008) +
                   0.18 * std::sin(2 * kPiD * 5274.0 * t) * std::exp(-t / 0.005);
        s[i] = float(0.55 * env * tail * v);
    }
    return s;
}

std::vector<float> makeBeep() {
    // 250 ms: a square-ish 660 Hz tone built from odd harmonics, so it is
    // band-limited and does not alias, with a soft attack and release.
    size_t n = kRate * 250 / 1000;
    std::vector<float> s(n);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / kRate;
        double env = smoothstep(0.0f, 0.012f, float(t)) * (1.0 - smoothstep(0.200f, 0.250f, float(t)));
        double v = 0;
        for (int h = 1; h <= 9; h += 2) v += std::sin(2 * kPiD * 660.0 * h * t) / h;
        s[i] = float(0.4 * env * v);
    }
    return s;
}

} // namespace art
