#pragma once

namespace qz {

// Texts the drill engine shows on the status line and the displays.
inline constexpr char kTextWouldYouLike[] = "Would you like to start Quizendo training now ?";
inline constexpr char kTextGetReady[] = "Get Ready!";
inline constexpr char kTextHowMuch[] = "How much is it ?";
inline constexpr char kTextLostByDefault[] = "Cadet lost the match by default !";
inline constexpr char kTextQuitQuestion[] = "True Kendri never quits! Do you want to QUIT now ???";
inline constexpr char kTextNeedPractice[] = "You need more practice. Try again and win.";
inline constexpr char kFormatFightStyle[] = "Your figting style is: %s, Your score is: %d";
inline constexpr char kTextCadetName[] = "Cadet Name";
inline constexpr char kTextDefaultName[] = "Player";
inline constexpr char kTextRankPrefix[] = "Rank: ";
inline constexpr char kTextBelt[] = "Belt";
inline constexpr char kTextSettingsLeftAlone[] =
    "This run plays on what could be read; the file is left as it is.";

inline constexpr char kFormatCount[] = "%d";
inline constexpr char kFormatPower[] = "%03d";
inline constexpr char kFormatScore[] = "S:%06d";
inline constexpr char kFormatBanked[] = "H:%08d";

}  // namespace qz
