// What scripts read of the library modules, through a table view.
#include <cstring>
#include <string>

#include "ScriptTestSupport.h"
#include "platform/os/OsApiBase.h"

using scripttest::ScriptTest;

namespace {

class SeatedView : public DDZGameView {
 public:
  SeatedView(GameSceneBase* scene) : DDZGameView(scene, nullptr) {}
  void Seat(int seat, int userId, const char* name) {
    PlayerNode* player = &m_PlayerRecord[seat];
    player->iUserID = userId;
    player->cChairID = static_cast<std::uint8_t>(seat);
    std::strncpy(player->szNickName, name, sizeof(player->szNickName) - 1);
    m_pPlayerNode[seat] = player;
  }
};

}  // namespace

TEST_F(ScriptTest, ScriptsReadSeatsPlayersAndTheLogin) {
  auto* view = new SeatedView(scene);
  view->Seat(2, 77, "east");
  scene->addChild(view);
  view->release();
  GameSceneBase::m_pGameView = view;
  GameViewBase::m_GlobalInfo.iUserID = 5;
  GameViewBase::m_GlobalInfo.iChairID = 1;  // the own chair: seat 1
  GameViewBase::m_GlobalInfo.iMoney = 1200;
  std::strcpy(GameViewBase::m_GlobalInfo.szNickName, "me");
  OsApiBase::shareOsApi()->SetDeviceModel("pc");

  EXPECT_EQ(Run("v = gamebase.GameSceneBase.m_pGameView p = v:GetPlayerNode(2) "
                "return v:GetPlayerCount() .. ' ' .. v:GetTablePosByTableNumExtra(1) .. ' ' .. "
                "v:GetTablePosByTableNumExtra(300) .. ' ' .. p.iUserID .. ' ' .. p.szNickName .. ' ' .. p.cChairID"),
            "3 1 -1 77 east 2");
  EXPECT_EQ(Run("return v:GetPlayerNode(0)"), "nil");
  EXPECT_EQ(Run("local g = gamebase.GameViewBase.m_GlobalInfo return g.iUserID .. ' ' .. g.iMoney .. ' ' .. g.szNickName"),
            "5 1200 me");
  EXPECT_EQ(Run("return osapi.OsApiBase:shareOsApi():GetDeviceModel()"), "pc");
  EXPECT_EQ(Run("return v:AddPlist('no_such_sheet.plist')"), "false");
  EXPECT_EQ(Run("return v:setTouchEnabled(true, false) == v"), "true");
  EXPECT_NE(Run("p.iUserID = 3"), "nil");  // the records are read-only
  EXPECT_EQ(view->GetPlayerNode(2)->iUserID, 77);

  // A player's value goes with its view.
  GameSceneBase::m_pGameView = nullptr;
  view->removeFromParent();
  EXPECT_EQ(Run("return p.iUserID"), "nil");
  OsApiBase::shareOsApi()->Reset();
}
