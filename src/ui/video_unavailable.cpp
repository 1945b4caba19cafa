// A build without Qt Multimedia: the video window opens and says that films cannot be played;
// the frame-rate window still reads a film's rate from its headers.

#include "ui/video_engine.h"

namespace qm {

bool VideoSupported() { return false; }
std::unique_ptr<VideoEngine> CreateVideoEngine() { return nullptr; }
std::unique_ptr<WaveformJob> CreateWaveformJob() { return nullptr; }
double BackendFrameRate(const QString&, int) { return 0; }

}  // namespace qm
