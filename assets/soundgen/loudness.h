#pragma once
#include <span>
#include <vector>

// How a listener hears a sound, in numbers: its loudness, its offset and its spectrum.
// The generator levels the effects by them; the tests pin them on the committed files.
namespace synth {

// The loudest `window` seconds of the sound, K-weighted as in ITU-R BS.1770 (a shelf
// that lifts what the ear favours, a high-pass under 40 Hz), in dB relative to full
// scale (LKFS; a full-scale 1 kHz sine reads about -3.0).
double LoudestWindowDb(std::span<const double> samples, double window = 0.05);

// The largest offset of any 20 ms window (its mean), as a fraction of full scale.
double LargestOffset(std::span<const double> samples);

// The average spectrum in third-octave bands from 50 Hz to 16 kHz, in dB relative to
// the strongest band and no lower than -50: the sound's colour, whatever its level.
std::vector<double> BandLevels(std::span<const double> samples);
// How far two colours lie apart: the root mean square of the bands' differences, in dB.
double BandDistance(const std::vector<double>& a, const std::vector<double>& b);

}  // namespace synth
