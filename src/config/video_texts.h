#pragma once
// The video window's texts: its captions and hints and its messages, from the language file's
// FORM_VIDEO section (the top panel's button hint from PANEL_TOP). Language files written
// before the video window lack these keys, so each falls back to its English text rather than
// "LNG error!!".

#include <span>
#include <string>
#include <string_view>

namespace qm {

class IniFile;

struct VideoTexts {
  std::string ButtonVideoHint;  // PANEL_TOP
  std::string FormVideoCaption;
  std::string ButtonVideoOtevrit, ButtonVideoOtevritHint, VideoOpenDialogTitle;
  std::string ButtonVideoPlayHint, LabelVideoPoziceHint, SliderVideoPoziceHint, SliderVideoHlasitostHint;
  std::string CheckBoxSledovatPrehravani, CheckBoxSledovatPrehravaniHint;
  std::string ButtonNastavitZobrazeni, ButtonNastavitZobrazeniHint;
  std::string ButtonNastavitSchovani, ButtonNastavitSchovaniHint;
  std::string ButtonNastavitSchovaniDalsi, ButtonNastavitSchovaniDalsiHint;
  std::string VideoVlnaHint;
  // Messages; {file} stands for a file's name.
  std::string VideoZadneVideo;    // nothing open yet
  std::string VideoNedostupne;    // no multimedia support
  std::string VideoNelzePrehrat;  // the backend refused the file: codec or damage
  std::string VideoBezObrazu;     // sound only
  std::string VideoNabidka;       // the film beside the subtitles, as a link
  std::string VideoBezFps;        // the file states no frame rate
  std::string VideoVlnaPocitam;   // the waveform is being computed
  std::string VideoVlnaBezZvuku;  // no sound to draw
};

struct VideoTextKey {
  std::string_view Section;
  std::string_view Key;
  std::string VideoTexts::*Member;
  std::string_view English;
};
std::span<const VideoTextKey> VideoTextKeys();

VideoTexts LoadVideoTexts(const IniFile& language);

}  // namespace qm
