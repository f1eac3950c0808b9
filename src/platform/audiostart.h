// Opening the sound device, quietly: a machine without one gets a silent game
// and one line saying so, not the sound libraries' own complaints.
#pragma once

// Starts SDL audio and opens the mixer (22050 Hz, 16-bit stereo, 1024-sample
// buffers, 8 channels). False when there is no usable sound device.
bool StartAudio();
