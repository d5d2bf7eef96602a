#include "platform/framework/LobbyNewVac.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "platform/engine/Log.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/os/BoundedRecord.h"

std::string LobbyNewVacConf::GetJSON(const std::string& json, const std::string& member) {
  if (json.size() > kMaxJsonBytes) {
    cocos2d::log("GetJSON: a text of %zu bytes is longer than %zu", json.size(), kMaxJsonBytes);
    return {};
  }
  const nlohmann::json doc = nlohmann::json::parse(json, nullptr, /*allow_exceptions=*/false);
  if (!doc.is_object()) return {};
  const auto it = doc.find(member);
  if (it == doc.end()) return {};
  if (it->is_string()) return it->get<std::string>();
  if (it->is_number() || it->is_boolean()) return it->dump();
  return {};
}

namespace {

LobbyVacResult DefaultAnswer() {
  LobbyVacResult answer;
  answer.iVacStep = LobbyNewVacLayer::kVacStepClosed;
  if (const char* step = std::getenv("DDZ_VAC_STEP"); step != nullptr && *step != '\0') {
    answer.iVacStep = std::atoi(step);
  }
  answer.iMoney = answer.iHolding86 = answer.iYuanBao = -1;
  return answer;
}

struct Shop {
  std::vector<LobbyVacOpening> openings;
  LobbyVacResult answer = DefaultAnswer();
};

Shop& TheShop() {
  static Shop shop;
  return shop;
}

}  // namespace

LobbyNewVacLayer* LobbyNewVacLayer::SharedLobbyNewVacLayer(YndGameLayer* receiver, const LobbyVacOpening& opening) {
  static LobbyNewVacLayer instance;
  auto* target = dynamic_cast<ILobbyVacReceiver*>(receiver);
  cocos2d::log("LobbyNewVacLayer: opened for game %s user %s money %d yuanbao %d (no shop here)",
               opening.gameCode.c_str(), opening.userId.c_str(), opening.money, opening.yuanBao);
  if (target == nullptr) {
    cocos2d::log("LobbyNewVacLayer: the opener hears no shop answers");
    return nullptr;
  }
  ddz::os::AppendBounded(TheShop().openings, opening);
  LobbyVacResult result = TheShop().answer;
  if (result.iMoney < 0) result.iMoney = opening.money;
  if (result.iHolding86 < 0) result.iHolding86 = opening.holding86;
  if (result.iYuanBao < 0) {
    result.iYuanBao = opening.yuanBao;
    result.iYuanBaoExtra = 0;
  }
  receiver->AddNextFrameToDo([target, result] { target->CallBackHandleVacRt(result); });
  return &instance;
}

void LobbyNewVacLayer::SetAnswer(const LobbyVacResult& answer) { TheShop().answer = answer; }

const std::vector<LobbyVacOpening>& LobbyNewVacLayer::Openings() { return TheShop().openings; }

void LobbyNewVacLayer::Reset() {
  TheShop().openings.clear();
  TheShop().answer = DefaultAnswer();
}
