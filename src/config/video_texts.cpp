#include "config/video_texts.h"

#include "platform/ini_file.h"

namespace qm {
namespace {

using T = VideoTexts;
constexpr std::string_view kVideo = "FORM_VIDEO";

constexpr VideoTextKey kKeys[] = {
    {"PANEL_TOP", "ButtonVideoHint", &T::ButtonVideoHint, "Video: time the subtitles against the film"},
    {kVideo, "FormVideoCaption", &T::FormVideoCaption, "Video"},
    {kVideo, "ButtonVideoOtevrit", &T::ButtonVideoOtevrit, "Open video..."},
    {kVideo, "ButtonVideoOtevritHint", &T::ButtonVideoOtevritHint,
     "Open a film to time the subtitles against"},
    {kVideo, "VideoOpenDialogTitle", &T::VideoOpenDialogTitle, "Open video"},
    {kVideo, "ButtonVideoPlayHint", &T::ButtonVideoPlayHint, "Play or pause (Space)"},
    {kVideo, "LabelVideoPoziceHint", &T::LabelVideoPoziceHint, "Position: time and frame number"},
    {kVideo, "SliderVideoPoziceHint", &T::SliderVideoPoziceHint,
     "Position in the film (Left/Right: a second, Ctrl+Left/Right: a frame)"},
    {kVideo, "SliderVideoHlasitostHint", &T::SliderVideoHlasitostHint, "Volume"},
    {kVideo, "CheckBoxSledovatPrehravani", &T::CheckBoxSledovatPrehravani, "Follow playback"},
    {kVideo, "CheckBoxSledovatPrehravaniHint", &T::CheckBoxSledovatPrehravaniHint,
     "While the film plays, the subtitle list selects the subtitle on the picture"},
    {kVideo, "ButtonNastavitZobrazeni", &T::ButtonNastavitZobrazeni, "Set show time"},
    {kVideo, "ButtonNastavitZobrazeniHint", &T::ButtonNastavitZobrazeniHint,
     "The selected subtitle appears at the film's position (F6)"},
    {kVideo, "ButtonNastavitSchovani", &T::ButtonNastavitSchovani, "Set hide time"},
    {kVideo, "ButtonNastavitSchovaniHint", &T::ButtonNastavitSchovaniHint,
     "The selected subtitle disappears at the film's position (F7)"},
    {kVideo, "ButtonNastavitSchovaniDalsi", &T::ButtonNastavitSchovaniDalsi, "Set hide time and go to next"},
    {kVideo, "ButtonNastavitSchovaniDalsiHint", &T::ButtonNastavitSchovaniDalsiHint,
     "Sets the hide time, then selects the next subtitle (F8)"},
    {kVideo, "VideoVlnaHint", &T::VideoVlnaHint,
     "The film's sound: click to go there, drag a subtitle's edge to change its time"},
    {kVideo, "VideoZadneVideo", &T::VideoZadneVideo,
     "Open a video with the button above, or drop one on the main window."},
    {kVideo, "VideoNedostupne", &T::VideoNedostupne,
     "Video playback is not available: this program has no multimedia support."},
    {kVideo, "VideoNelzePrehrat", &T::VideoNelzePrehrat,
     "The video cannot be played: a codec is missing or the file is damaged."},
    {kVideo, "VideoBezObrazu", &T::VideoBezObrazu, "The file has no picture; only its sound is available."},
    {kVideo, "VideoNabidka", &T::VideoNabidka, "Open the film {file}"},
    {kVideo, "VideoBezFps", &T::VideoBezFps, "The file {file} does not state its frame rate."},
    {kVideo, "VideoVlnaPocitam", &T::VideoVlnaPocitam, "Computing the waveform..."},
    {kVideo, "VideoVlnaBezZvuku", &T::VideoVlnaBezZvuku, "No sound"},
};

}  // namespace

std::span<const VideoTextKey> VideoTextKeys() { return kKeys; }

VideoTexts LoadVideoTexts(const IniFile& language) {
  VideoTexts texts;
  for (const VideoTextKey& key : kKeys)
    texts.*key.Member = language.ReadString(key.Section, key.Key, key.English);
  return texts;
}

}  // namespace qm
