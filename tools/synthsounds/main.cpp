// SPDX-License-Identifier: GPL-3.0-or-later
// synthsounds FOLDER: writes the game's three sounds, Yes.wav, No.wav and End.wav, as 16-bit mono PCM.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 22050;
constexpr double pi = 3.14159265358979323846;

struct Note {
    double start;                  // seconds
    double length;                 // seconds, release included
    double freq;                   // Hz at the start
    double freqEnd;                // Hz at the end: a gentle glide where it differs
    double level;                  // relative loudness
    double attack;                 // seconds
    double decay;                  // exponential decay rate per second (0: held until the release)
    double release;                // seconds of fade at the end
    std::vector<double> harmonics; // amplitude of partial 1, 2, 3, ...
};

using Samples = std::vector<double>;

void addNote(Samples& out, const Note& note) {
    const int first = int(note.start * sampleRate);
    const int count = int(note.length * sampleRate);
    if (out.size() < size_t(first + count))
        out.resize(size_t(first + count), 0.0);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / sampleRate;
        const double freq = note.freq + (note.freqEnd - note.freq) * t / note.length;
        phase += 2 * pi * freq / sampleRate;
        double wave = 0.0;
        for (size_t h = 0; h < note.harmonics.size(); ++h) {
            // Partials above half the sample rate would fold back as noise.
            if (freq * double(h + 1) < sampleRate / 2.0)
                wave += note.harmonics[h] * std::sin(phase * double(h + 1));
        }
        double envelope = std::min(1.0, t / note.attack);
        if (note.decay > 0)
            envelope *= std::exp(-note.decay * t);
        const double untilEnd = note.length - t;
        if (untilEnd < note.release)
            envelope *= untilEnd / note.release;
        out[size_t(first + i)] += note.level * envelope * wave;
    }
}

// Scales the sound to the given peak (fraction of full scale) so that all three play equally loud.
void normalise(Samples& samples, double peak) {
    double max = 0.0;
    for (double s : samples)
        max = std::max(max, std::abs(s));
    if (max > 0)
        for (double& s : samples)
            s *= peak / max;
}

void putLE(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(char((value >> (8 * i)) & 0xFF));
}

bool writeWave(const std::filesystem::path& path, const Samples& samples) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = std::uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    putLE(out, 36 + dataBytes, 4);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    putLE(out, 16, 4); // size of the format chunk
    putLE(out, 1, 2);  // PCM
    putLE(out, 1, 2);  // mono
    putLE(out, sampleRate, 4);
    putLE(out, sampleRate * 2, 4); // bytes per second
    putLE(out, 2, 2);              // bytes per frame
    putLE(out, 16, 2);             // bits per sample
    out.write("data", 4);
    putLE(out, dataBytes, 4);
    for (double s : samples) {
        const auto value = std::int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
        putLE(out, std::uint16_t(value), 2);
    }
    out.close();
    return bool(out);
}

// A soft bell: the fundamental with a little of the octave and the twelfth.
const std::vector<double> bell = {1.0, 0.35, 0.12, 0.05};
// A square wave's odd partials, cut off early so that the buzz stays round rather than harsh.
const std::vector<double> softSquare = {1.0, 0.0, 0.30, 0.0, 0.15, 0.0, 0.07};

Samples yesSound() {
    Samples s;
    // E5 then A5: a rising fourth.
    addNote(s, {0.00, 0.11, 659.26, 659.26, 0.8, 0.005, 9.0, 0.02, bell});
    addNote(s, {0.08, 0.17, 880.00, 880.00, 1.0, 0.005, 8.0, 0.05, bell});
    normalise(s, 0.6);
    return s;
}

Samples noSound() {
    Samples s;
    // Two low tones a little apart beat slowly and sag in pitch: a soft "uh-uh".
    addNote(s, {0.0, 0.30, 150.0, 125.0, 1.0, 0.015, 2.5, 0.09, softSquare});
    addNote(s, {0.0, 0.30, 151.5, 126.0, 0.6, 0.015, 2.5, 0.09, softSquare});
    normalise(s, 0.5);
    return s;
}

Samples endSound() {
    Samples s;
    // C5 E5 G5 and a held C6, the earlier notes ringing on under the later ones.
    const double notes[] = {523.25, 659.26, 783.99};
    for (int i = 0; i < 3; ++i)
        addNote(s, {0.15 * i, 0.45, notes[i], notes[i], 0.7, 0.006, 5.0, 0.08, bell});
    addNote(s, {0.45, 0.75, 1046.50, 1046.50, 1.0, 0.006, 3.0, 0.25, bell});
    addNote(s, {0.45, 0.75, 523.25, 523.25, 0.4, 0.010, 3.0, 0.25, bell});
    normalise(s, 0.6);
    return s;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: synthsounds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const struct {
        const char* name;
        Samples samples;
    } sounds[] = {{"Yes.wav", yesSound()}, {"No.wav", noSound()}, {"End.wav", endSound()}};
    for (const auto& sound : sounds) {
        const auto path = folder / sound.name;
        if (!writeWave(path, sound.samples)) {
            std::fprintf(stderr, "synthsounds: cannot write %s\n", path.string().c_str());
            return 1;
        }
        std::printf("%s: %.2f s\n", path.string().c_str(), double(sound.samples.size()) / sampleRate);
    }
    return 0;
}
