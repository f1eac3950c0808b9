// Opening the sound device, quietly: a machine without one gets a silent game
// and one line saying so, not the sound libraries' own complaints.
#pragma once

// Every channel plays at this share of SDL_mixer's full volume (128), so that
// eight sounds started together (eight bricks at once) add up under full
// scale in the mixer, which clamps each channel as it adds it.
constexpr int ChannelVolume = 72;

// Starts SDL audio and opens the mixer (22050 Hz, 16-bit stereo, 1024-sample
// buffers, 8 channels at ChannelVolume) with the gain and limiter after
// the mixer. False when there is no usable sound device.
bool StartAudio();
