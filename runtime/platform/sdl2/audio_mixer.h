// Inside the layer: what the sound output, the media windows and the sample
// voices tell each other about the one mixer they share.
#pragma once

namespace mvn::platform {

// The media windows alive now; the output stays open while there are any.
int liveMediaWindows();

// The output is closing: every mixer channel and what played on it is gone.
void forgetSoundChannels();

}  // namespace mvn::platform
