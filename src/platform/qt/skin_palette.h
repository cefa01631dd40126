#pragma once

// The colours of the program's skin, shared by every picture drawn from
// the layout tables and by the plug-ins' faces: a deep blue for the bands
// that carry the name and the window buttons, red and turquoise buttons
// that white captions read well on, light blues for panels and option
// bars, lavender for the speech window's banner and speak panel.

#include <QColor>

namespace prevod::skin {

inline const QColor kBandBlue{26, 82, 158};
inline const QColor kBandBlueLight{60, 124, 200};

inline const QColor kRedLight{232, 86, 78};
inline const QColor kRed{204, 44, 44};
inline const QColor kRedDark{158, 26, 26};
inline const QColor kRedBorder{118, 16, 16};
inline const QColor kDarkRed{128, 0, 0};

inline const QColor kTurquoiseLight{64, 202, 192};
inline const QColor kTurquoise{26, 170, 162};
inline const QColor kTurquoiseDark{12, 128, 124};
inline const QColor kTurquoiseBorder{6, 92, 90};

inline const QColor kLightBlue{190, 214, 242};
inline const QColor kOptionBlueLight{104, 156, 222};
inline const QColor kOptionBlueDark{64, 114, 186};

inline const QColor kLavender{222, 212, 246};
inline const QColor kLavenderBorder{168, 148, 212};

inline const QColor kCyan{112, 214, 238};
inline const QColor kFrameBlue{22, 40, 112};

inline const QColor kPanelGrey{212, 208, 200};
inline const QColor kPanelGreyBorder{150, 146, 140};

// The player's face: a white stage, dark text, the highlight of its list.
inline const QColor kStage{255, 255, 255};
inline const QColor kStageText{32, 32, 40};
inline const QColor kStageLine{150, 160, 176};
inline const QColor kHighlight{38, 96, 184};
inline const QColor kHighlightText{255, 255, 255};
inline const QColor kFocusRing{230, 140, 20};

}  // namespace prevod::skin
