#pragma once
// Film files as bytes: which container a file is (so that a dropped film is told from a
// subtitle file by its content), and the frame rate its headers state, read without decoding.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

enum class MediaContainer : uint8_t { None, Avi, Matroska, Mp4, Ogg, MpegTs, MpegPs, Flv, Asf, Wave, Mp3 };

// The container named by the first bytes of a file (at least 12 are looked at; MPEG-TS needs
// four packets, 752 bytes). Subtitle text never starts like any of these.
MediaContainer SniffContainer(std::string_view head);
// Reads the file's first bytes; None for a file that cannot be read.
MediaContainer SniffMediaFile(const std::string& path);

// The video frame rate the headers state, from bytes that begin at the start of the file:
// AVI's stream header (or its main header), Matroska's default frame duration, MP4's first
// video track (its time scale over the sample durations). nullopt when the bytes do not say.
// Never reads outside `bytes`.
std::optional<double> ProbeFrameRate(std::string_view bytes);
// The same from a file: for MP4 only the movie header is read, wherever it stands; for the
// others the first few megabytes.
std::optional<double> ProbeFrameRateOfFile(const std::string& path);

}  // namespace qm
