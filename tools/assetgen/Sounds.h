#pragma once

#include "platform/io/WaveFile.h"

namespace dd::assetgen {

// The four sound effects: 16-bit mono PCM at 22050 Hz, 0.5 to 2 seconds, peaks at -1 dBFS,
// short fades. Deterministic: their own noise generator, no library distributions.
WaveData SynthKlapper();   // a sail flapping in the wind
WaveData SynthKnerp();     // a wooden boat creaking
WaveData SynthRatel();     // a winch ratchet
WaveData SynthWaterloop(); // water running along the hull; loops cleanly

} // namespace dd::assetgen
