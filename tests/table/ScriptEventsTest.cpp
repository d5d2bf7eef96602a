#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TableViewTestSupport.h"

using tabletest::TableViewTest;

namespace {

struct EventCase {
  int key;
  const char* operation;
  std::function<void(DDZGameView&)> fire;
  const char* arguments;  // as the recording handler writes them
};

// Every numbered operation with a script event, with the arguments Lua sees.
// Strings are written as their bytes in hex after "s:", arrays in braces.
std::vector<EventCase> EventCases() {
  return {
      {0, "GetGameKind", [](DDZGameView& v) { v.GetGameKind(); }, ""},
      {1, "OnDealCardEnd", [](DDZGameView& v) { v.OnDealCardEnd(); }, ""},
      {2, "HideGameClock", [](DDZGameView& v) { v.HideGameClock(); }, ""},
      // The card bytes end at the first zero byte.
      {3, "ShowSelfOutCard", [](DDZGameView& v) { v.ShowSelfOutCard("\x21\x83\x00\x05", 4); }, "{s:2183,4}"},
      // Text up to its zero byte, the value, the char sign-extended, the flag as 0/1.
      {4, "OnRobBtnEvent", [](DDZGameView& v) { v.OnRobBtnEvent("ab\0cd", 7, static_cast<char>(0xFE), true); },
       "{s:6162,7,-2,1}"},
      {5, "OnResultBtnContinue", [](DDZGameView& v) { v.OnResultBtnContinue(); }, ""},
      {6, "OnResultBtnQuit", [](DDZGameView& v) { v.OnResultBtnQuit(); }, ""},
      {7, "OnResultBtnSmallGame", [](DDZGameView& v) { v.OnResultBtnSmallGame(); }, ""},
      {8, "ScriptEvent8", [](DDZGameView& v) { v.ScriptEvent8(); }, ""},
      {9, "ScriptEvent9", [](DDZGameView& v) { v.ScriptEvent9(); }, ""},
      {10, "OnRoundStart", [](DDZGameView& v) { v.OnRoundStart(); }, ""},
      {11, "SetMoneyInfo", [](DDZGameView& v) { v.SetMoneyInfo(1500, -5); }, "{1500,-5}"},
      // Only the first seven task values.
      {12, "UpdateTaskNum",
       [](DDZGameView& v) {
         int values[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
         v.UpdateTaskNum(values);
       },
       "{1,2,3,4,5,6,7}"},
      {13, "ShowSelfClock", [](DDZGameView& v) { v.ShowSelfClock(1); }, "1"},
      {14, "OnResultExtraGame", [](DDZGameView& v) { v.OnResultExtraGame(3); }, "3"},
      {15, "ShowQuitMsgBox", [](DDZGameView& v) { v.ShowQuitMsgBox(); }, ""},
      {16, "OnBaseCardShown", [](DDZGameView& v) { v.OnBaseCardShown(); }, ""},
      {17, "ShowTaskCompete", [](DDZGameView& v) { v.ShowTaskCompete(); }, ""},
      {18, "ShowDoubleAni", [](DDZGameView& v) { v.ShowDoubleAni(2, 4); }, "{2,4}"},
      {19, "OnResultLayerShown", [](DDZGameView& v) { v.OnResultLayerShown(true); }, "true"},
  };
}

std::string EventName(int key) { return "e" + std::to_string(key); }

TEST_F(TableViewTest, EachNumberedOperationFiresItsOwnEventWithItsArguments) {
  const std::vector<EventCase> cases = EventCases();
  ASSERT_EQ(cases.size(), static_cast<std::size_t>(DDZGameView::kScriptEventCount));
  for (int key = 0; key < DDZGameView::kScriptEventCount; ++key)
    view->RegisterLuaHandlerQorvDDZView(key, handler(EventName(key)));

  for (const EventCase& c : cases) {
    SCOPED_TRACE(c.operation);
    c.fire(*view);
    EXPECT_EQ(seen(), std::vector<std::string>{EventName(c.key) + "(" + c.arguments + ")"});
    EXPECT_EQ(lua_gettop(L), 0);
  }
}

TEST_F(TableViewTest, WithoutHandlersTheOperationsRunTheirDefaultBodies) {
  for (const EventCase& c : EventCases()) {
    SCOPED_TRACE(c.operation);
    c.fire(*view);
    EXPECT_EQ(lua_gettop(L), 0);
  }
  EXPECT_TRUE(seen().empty());
  EXPECT_EQ(view->GetGameKind(), 0);

  // An operation without an event has a body of its own.
  view->ResetSeatHeadFigures();
  for (int figure : g_iSeatHeadFigure) EXPECT_EQ(figure, -1);
}

TEST_F(TableViewTest, OperationsWithoutAnEventRunNoHandler) {
  for (int key = 0; key < DDZGameView::kScriptEventCount; ++key)
    view->RegisterLuaHandlerQorvDDZView(key, handler(EventName(key)));
  const char result[288] = {};
  const std::vector<std::pair<const char*, std::function<void()>>> operations = {
      {"ShowRoundResult", [&] { view->ShowRoundResult(result, sizeof(result)); }},
      {"ShowRoundTask", [&] { view->ShowRoundTask(1); }},
      {"OnAwardEnd", [&] { view->OnAwardEnd(1); }},
      {"OpenSmallGame", [&] { view->OpenSmallGame(); }},
      {"CloseSmallGame", [&] { view->CloseSmallGame(2); }},
      {"ShowAwardAni", [&] { view->ShowAwardAni(1, 2, 3); }},
      {"ResetSeatHeadFigures", [&] { view->ResetSeatHeadFigures(); }},
  };
  for (const auto& [name, run] : operations) {
    SCOPED_TRACE(name);
    run();
    EXPECT_TRUE(seen().empty());  // no script event is theirs
    EXPECT_EQ(lua_gettop(L), 0);
  }
}

TEST_F(TableViewTest, ScriptEventsGiveTheHandlersResult) {
  view->RegisterLuaHandlerQorvDDZView(DDZGameView::kEventGetGameKind, handler("kind", 4));
  EXPECT_EQ(view->GetGameKind(), 4);
  view->RegisterLuaHandlerQorvDDZView(DDZGameView::kEventSetMoneyInfo, handler("money", 9));
  EXPECT_EQ(view->ExecuteScriptHandlerWithArray(DDZGameView::kEventSetMoneyInfo,
                                                {cocos2d::LuaValue::intValue(1), cocos2d::LuaValue::intValue(2)}),
            9);
  EXPECT_EQ(view->ExecuteScriptHandlerWithValue(DDZGameView::kEventSetMoneyInfo, cocos2d::LuaValue::intValue(3)), 9);
  EXPECT_EQ(view->ExecuteScriptHandlerWithArray(DDZGameView::kEventRoundStart, {}), 0);  // no handler
  EXPECT_EQ(seen(), (std::vector<std::string>{"kind()", "money({1,2})", "money(3)"}));
}

TEST_F(TableViewTest, TheOwnPlayTextEndsAtAZeroByteOrAfterCountBytes) {
  view->RegisterLuaHandlerQorvDDZView(DDZGameView::kEventShowSelfOutCard, handler("out"));
  view->ShowSelfOutCard("\x21\x22\x23", 2);  // no zero byte within the count
  view->ShowSelfOutCard("\x31", 0);          // a pass
  view->ShowSelfOutCard(nullptr, 0);
  view->RegisterLuaHandlerQorvDDZView(DDZGameView::kEventRobBtn, handler("rob"));
  view->OnRobBtnEvent(nullptr, 0, 5, false);
  EXPECT_EQ(seen(), (std::vector<std::string>{"out({s:2122,2})", "out({s:,0})", "out({s:,0})", "rob({s:,0,5,0})"}));
}

TEST_F(TableViewTest, TheOwnHandReachesTheSameEventsThroughItsOwnerInterface) {
  for (int key : {DDZGameView::kEventHideGameClock, DDZGameView::kEventShowSelfOutCard,
                  DDZGameView::kEventShowSelfClock})
    view->RegisterLuaHandlerQorvDDZView(key, handler(EventName(key)));
  ISelfHandOwner* owner = view;
  owner->HideGameClock();
  owner->ShowSelfOutCard("\x0e\x0e", 2);
  owner->ShowSelfClock(0);
  EXPECT_EQ(seen(), (std::vector<std::string>{"e2()", "e3({s:0e0e,2})", "e13(0)"}));
}

TEST_F(TableViewTest, TheFirstHandlerOfAKeyStaysUntilItIsUnregistered) {
  const int first = handler("first", 1);
  const int second = handler("second", 2);
  view->RegisterLuaHandlerQorvDDZView(0, first);
  view->RegisterLuaHandlerQorvDDZView(0, second);
  tick();  // the refused handler's function is dropped with its entry
  EXPECT_EQ(view->GetGameKind(), 1);
  EXPECT_FALSE(functionAlive(second));

  view->UnRegisterLuaHandlerQorvDDZView(0);
  EXPECT_FALSE(view->HasLuaHandler(0));
  EXPECT_FALSE(functionAlive(first));
  EXPECT_EQ(view->GetGameKind(), 0);

  view->RegisterLuaHandlerQorvDDZView(0, handler("third", 3));
  EXPECT_EQ(view->GetGameKind(), 3);
  EXPECT_EQ(seen(), (std::vector<std::string>{"first()", "third()"}));
}

TEST_F(TableViewTest, UnregisteringAKeyWithoutHandlerChangesNothing) {
  view->RegisterLuaHandlerQorvDDZView(5, handler("continue"));
  view->UnRegisterLuaHandlerQorvDDZView(6);
  view->UnRegisterLuaHandlerQorvDDZView(-3);
  view->OnResultBtnContinue();
  EXPECT_EQ(seen(), std::vector<std::string>{"continue()"});
  EXPECT_EQ(view->GetLuaHandlers().size(), 1u);
}

TEST_F(TableViewTest, KeysOutsideTheEventsAreRefusedAndTheirFunctionsDropped) {
  const int below = handler("below");
  const int above = handler("above");
  view->RegisterLuaHandlerQorvDDZView(-1, below);
  view->RegisterLuaHandlerQorvDDZView(DDZGameView::kScriptEventCount, above);
  tick();
  EXPECT_TRUE(view->GetLuaHandlers().empty());
  EXPECT_FALSE(functionAlive(below));
  EXPECT_FALSE(functionAlive(above));
  EXPECT_TRUE(cocos2d::Log::contains("RegisterLuaHandlerQorvDDZView: no event 20"));
}

TEST_F(TableViewTest, AnEntryWithoutFunctionRunsNothingAndKeepsItsKey) {
  // A script that passes something other than a function registers handler 0.
  view->RegisterLuaHandlerQorvDDZView(DDZGameView::kEventRoundStart, 0);
  view->RegisterLuaHandlerQorvDDZView(DDZGameView::kEventRoundStart, handler("late"));
  view->OnRoundStart();
  EXPECT_TRUE(seen().empty());
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(TableViewTest, TheViewDropsItsHandlersWhenItGoes) {
  const int ref = handler("kept");
  view->RegisterLuaHandlerQorvDDZView(3, ref);
  tick();
  ASSERT_TRUE(functionAlive(ref));
  view->removeFromParent();
  view = nullptr;
  tick();
  EXPECT_FALSE(functionAlive(ref));
}

}  // namespace
