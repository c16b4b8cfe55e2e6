// Stand-ins for the drill engine's entry points, so the window runs on its own: the engine
// replaces this file.
#include "game/drill_dlg.h"

namespace qz {

void CDrillDlg::OnIntro() {
  ResetMatch();
  m_energyGauge.Initialize("Energy", Rgb(47, 200, 144), Rgb(224, 224, 224), Rgb(32, 32, 32),
                           Rgb(128, 128, 128), 1);
  m_powerGauge.Initialize("Power", Rgb(224, 224, 224), Rgb(255, 0, 0), Rgb(255, 204, 255),
                          Rgb(128, 128, 128), 1);
  m_powerGauge.SetCaption("");
  m_energyGauge.SetCaption("");
  m_energyGauge.SetRange(200);
  m_energyGauge.SetCaption("Energy Level");
  m_energyGauge.SetPos(100);
  if (!WaitPumping(3000))
    WaitPumping(1000);
  ShowItem(kItemTitle, false);
  ShowMatchTexts(true);
}

void CDrillDlg::OnEnter() {}

void CDrillDlg::OnTimer(int) {}

void CDrillDlg::OnOK() {
  Dialog::OnOK();
}

void CDrillDlg::ResetMatch() {
  m_strStatus = "Would you like to start Quizendo training now ?";
  m_strToGo = std::to_string(0);
  m_strRight = std::to_string(0);
  m_strWrong = std::to_string(0);
  m_strHiScoreLine = "H:00000000";
  SetItemText(kItemPowerText, "100");
  SetItemText(kItemScore, "S:000000");
  SetItemText(kItemCadet, "Cadet Name: Player");
  SetItemText(kItemRank, "Rank: Newbie");
  SetItemText(kItemBelt, "Orange Belt");
  UpdateData(false);
}

}  // namespace qz
