#include <string>
#include <vector>

#include "ScriptTestSupport.h"

using scripttest::ScriptTest;

namespace {

// A view the script reaches as the global `v`, its record as `r`.
class TableItemTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    view = new DDZGameView(scene, nullptr);
    scene->addChild(view);
    view->release();
    GameSceneBase::m_pGameView = view;
    ASSERT_EQ(Run("v = QorvDDZView.DDZGameView:getInstance() r = v.m_TableItem"), "nil");
  }
  TableItemDef& record() { return view->m_TableItem; }
  DDZGameView* view = nullptr;
};

}  // namespace

TEST_F(TableItemTest, ScalarsReadAndWriteTheViewsRecord) {
  record().iLandOwnerPos = 2;
  record().bPlayBombSound = true;
  EXPECT_EQ(Run("return r.iLandOwnerPos .. ' ' .. tostring(r.bPlayBombSound) .. ' ' .. r.iTimes"), "2 true 1");
  EXPECT_EQ(Run("r.iFinalPoint = 3 r.iBaseScore = 50 r.iTimes = 8 r.iTableCardOwnerPos = 0 r.iSendBombNum = 2 "
                "r.iShowCardTable = 1 r.bSendRocket = true"),
            "nil");
  EXPECT_EQ(record().iFinalPoint, 3);
  EXPECT_EQ(record().iBaseScore, 50);
  EXPECT_EQ(record().iTimes, 8);
  EXPECT_EQ(record().iTableCardOwnerPos, 0);
  EXPECT_EQ(record().iSendBombNum, 2);
  EXPECT_EQ(record().iShowCardTable, 1);
  EXPECT_TRUE(record().bSendRocket);
}

TEST_F(TableItemTest, ARefusedValueLeavesTheField) {
  record().iLandOwnerPos = 2;
  EXPECT_EQ(Error("r.iLandOwnerPos = 'two'"), " invalid iArg in function 'lua_cocos2dx_TableItemDef_set_iLandOwnerPos'");
  EXPECT_EQ(record().iLandOwnerPos, 2);
  // Given other than one value, a scalar setter does nothing and says nothing.
  EXPECT_EQ(Run("getmetatable(r)['.set'].iLandOwnerPos(r, 5, 6)"), "nil");
  EXPECT_EQ(record().iLandOwnerPos, 2);
}

TEST_F(TableItemTest, HappyCardKeepsTheLowByteSigned) {
  const std::vector<std::pair<const char*, int>> cases = {{"300", 44}, {"255", -1}, {"-1", -1}, {"18", 18}};
  for (const auto& [given, stored] : cases) {
    SCOPED_TRACE(given);
    EXPECT_EQ(Run(std::string("r.cHappyCard = ") + given + " return r.cHappyCard"), std::to_string(stored));
    EXPECT_EQ(record().cHappyCard, stored);
  }
}

TEST_F(TableItemTest, SeatArraysTakeAtMostFourValues) {
  EXPECT_EQ(Run("r.iPointDemand = {9, 8, 7, 6} r.iPointDemand = {1, 2} return r.iPointDemand"), "{1=1,2=2,3=7,4=6}");
  EXPECT_EQ(Run("r.iCompeteAmount = {1, 2, 3, 4, 5, 6} return r.iCompeteAmount"), "{1=1,2=2,3=3,4=4}");
  EXPECT_EQ(record().iCompeteAmount[3], 4);
  EXPECT_EQ(Run("r.iTuoGuan = {} return r.iTuoGuan"), "{1=0,2=0,3=0,4=0}");
}

TEST_F(TableItemTest, CardListsAreReplacedWhole) {
  EXPECT_EQ(Run("r.vcBaseCardIndex = {3, 17, 40} return r.vcBaseCardIndex"), "{1=3,2=17,3=40}");
  EXPECT_EQ(record().vcBaseCardIndex, (std::vector<int>{3, 17, 40}));
  EXPECT_EQ(Run("r.vcBaseCardIndex = {} return #r.vcBaseCardIndex"), "0");
  EXPECT_TRUE(record().vcBaseCardIndex.empty());
  record().vcTableCardIndex = {5, 6};
  EXPECT_EQ(Run("return r.vcTableCardIndex"), "{1=5,2=6}");
}

TEST_F(TableItemTest, TheRecordStaysTheViewsOwnAndClearsToItsStart) {
  record().iTimes = 16;
  EXPECT_NE(Run("v.m_TableItem = 7"), "nil");  // read-only: the assignment raises
  EXPECT_EQ(Run("return tostring(v.m_TableItem == r) .. ' ' .. r.iTimes"), "true 16");
  record().vcBaseCardIndex = {1, 2, 3};
  EXPECT_EQ(Run("return r:Clear() == r"), "true");
  EXPECT_EQ(record().iTimes, TableItemDef().iTimes);
  EXPECT_TRUE(record().vcBaseCardIndex.empty());
}

TEST_F(TableItemTest, TheRecordsValueDoesNotOutliveItsView) {
  GameSceneBase::m_pGameView = nullptr;
  view->removeFromParent();  // the view's only owner lets go: it is destroyed
  EXPECT_EQ(Run("return r.iTimes"), "nil");
  EXPECT_EQ(Error("r:Clear()"), "invalid 'cobj' in function 'lua_cocos2dx_TableItemDef_Clear'");
  EXPECT_EQ(Error("r.vcBaseCardIndex = {1}"), "invalid 'cobj' in function 'lua_cocos2dx_TableItemDef_set_vcBaseCardIndex'");
  EXPECT_EQ(Error("return v:GetPlayerShow()"), "invalid 'cobj' in function 'lua_cocos2dx_DDZGameView_GetPlayerShow'");
}
