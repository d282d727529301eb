#pragma once

#include "platform/io/WaveFile.h"

namespace dd::assetgen {

// The four sound effects: 16-bit mono PCM at 22050 Hz, 0.5 to 2 seconds, short fades, peaks
// at most -1 dBFS. Their loudness (RMS) is set so that the sounds answering the game, the
// winch and the flapping sail, stand above the background of water and creaking wood.
// Deterministic: their own noise generator, no library distributions.
WaveData SynthKlapper();   // a sail flapping in the wind
WaveData SynthKnerp();     // a wooden boat creaking: irregular stick-slip jerks
WaveData SynthRatel();     // a winch ratchet
WaveData SynthWaterloop(); // water running along the hull; loops cleanly

} // namespace dd::assetgen
