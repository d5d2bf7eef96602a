#include "shell/LayoutConfig.h"

#include <cstring>
#include <type_traits>

#include "platform/framework/YndConf.h"

// Points
cocos2d::Vec2 g_ptBgTable, g_ptBgChair, g_iRoomDisplayBasePoint, g_ptVersion, g_ptQuickStart, g_ptQuickAni,
    g_ptFirstVac, g_ptRoomShowSysBtn, g_ptTipsBg, g_ptRoomBtnBaseScore, g_ptRoomBtnLimit, g_ptRoomBtnMax,
    g_ptCompeteRankInfoBg, g_ptCompeteEnterInfoBg, g_ptCompeteBottomInfoBg, g_ptCompeteBeginBtn,
    g_ptCompeteOpenTimeInfoBg, g_ptCardNum, g_ptCardTypeSmall, g_ptCardTypeBig, g_ptCardTypeFlower,
    g_ptBtnStart, g_ptLoadingFlower, g_ptLoadingProcess, g_ptPorLoadingFlower, g_ptPorLoadingProcess,
    g_ptSelfCannotSend, g_ptDealCardIni, g_ptBaseCard, g_ptCardNum2, g_ptCardTypeSmall2, g_ptGameX2, g_ptJPQDff,
    g_ptMingPainWord, g_ptTopUI, g_ptTopUIFinalPoint, g_ptTopUITimes, g_ptBottomUI, g_ptBottomUISingalTaskTip,
    g_ptTaskNetTime, g_ptTaskSingleTime, g_ptBottomUITips, g_ptBottomYBBg, g_ptBottomMoneyBg, g_ptBottomYBIcon,
    g_ptBottomMoneyIcon, g_ptBottomLv, g_ptResultPlayerHead, g_ptResultLandOwner, g_ptResultTimeBG,
    g_ptResultBtnExit, g_ptResultBtnContinue, g_ptResultBtnSmall, g_ptGameSetBgPos, g_ptGameSetBtnClose,
    g_ptGameSetBtnMusicSwitch, g_ptGameSetBtnSoundSwitch, g_ptGameSetBtnEffectSwitch,
    g_ptGameSetBtnOrientationSwitch, g_ptGameSetWord, g_ptGameCountBg, g_ptGameCountBtn, g_ptGameCountNum,
    g_ptGameAniOneDragStar, g_ptGameTalkLayerTouch, g_ptGameFaceLayerTouch, g_ptTaskSingleBtn, g_ptTaskBg,
    g_ptTaskTitle, g_ptTaskRewardNum, g_ptTaskRewardIcon, g_ptTaskUpLightStart, g_ptTaskUpLightEnd,
    g_ptTaskDownLightStart, g_ptTaskDownLightEnd, g_ptTaskNoneBg, g_ptGameTips, g_ptSmallGameMagic,
    g_ptSmallGameSelfGold, g_ptSmallGamePrizeGold, g_ptSmallGameBounsBg, g_ptSmallGameBounsGold,
    g_ptSmallGameStar, g_ptSmallGameTimer, g_ptSmallGameCardBornPos, g_ptSmallGameFreshCardPos,
    g_ptSmallGameFailAniPos, g_ptSmallGameAniSuc, g_ptSmallGameStartStr, g_ptSmallGameChooseTip,
    g_ptSmallGameGoldNum, g_ptSmallGameGoldIcon, g_ptSmallGameCloseBtn, g_ptSmallGameShareBtn,
    g_ptSmallGameComboPrizeTypeIcon, g_ptSingalGameLeftTipPos, g_ptSingalGameRightTipPos,
    g_ptGuideAniFarmTicketNum, g_ptGuideAniHuJingTicketNum, g_ptDobGameSelfInfoBg, g_ptDobGameSelfInfoMoney,
    g_ptDobGameSelfInfoYB, g_ptDobGameSelfInfoTicket, g_ptDobGameComboPrizeBg, g_ptDobGameBomboMoney,
    g_ptDobGameBomboPrizeYB, g_ptDobGameRule, g_ptDobGameRuleBomboMoney, g_ptDobGameRuleMoneyNumIcon,
    g_ptDobGameQuitBtn, g_ptDobGameQuitScoreBtn, g_ptDobGameUseMoneyBg, g_ptDobGameUseMoneyNum,
    g_ptDobGameNextRoundPrizeTip, g_ptDobGameNextRoundPrizeNum, g_ptDobGameNextRoundPrizeIcon, g_ptDobGameBetBg,
    g_ptDobGameBetPoker, g_ptDobGameBetHelpBtn, g_ptDobGameBetSelPokerStart, g_ptDobGameBetSelPokerBg,
    g_ptDobGameAniCombo, g_ptDobGameShilderBlock, g_ptDobGameComboTips, g_ptDobGameQuitScoreTips,
    g_ptDobGameLefeRuleBg, g_ptDobGameLefeRuleLimit, g_ptDobGameLefeRuleValueIcon, g_ptCJCardPos,
    g_ptCJResultPlayerHead, g_ptCJResultLandOwner, g_ptCJResultTimeBG, g_ptCJResultBtnExit,
    g_ptCJResultBtnContinue, g_ptCJResultBtnSmall, g_ptCJGameCountBtn, g_ptCJGameCountNum, g_ptBFGiftPlayNum,
    g_ptBFGiftPlayNumLab, g_ptCmpResultFlagBg, g_ptCmpResultClock, g_ptCmpResultGameResult, g_ptCmpSignupWaitBg,
    g_ptCmpSignupWaitNum, g_ptCmpSignupTipsBg, g_ptCmpSignupStartBg, g_ptCmpBaseScoreBg, g_ptCmpBaseScoreTitle,
    g_ptCmpBaseScoreTitle1, g_ptCmpBaseScoreNum, g_ptCmpBaseScoreRoundNum, g_ptCmpBaseScoreEndTip,
    g_ptCmpBaseScorePlayerNum, g_ptCmpHeadTips, g_ptCmpHeadTipsNum, g_ptCmpPlayerRank, g_ptCmpCenterBg,
    g_ptCmpWaitOthersWord, g_ptCmpTotalUserTime, g_ptCmpPlayingTableWord, g_ptCmpBagPrizeNumBg, g_ptCmpBagIcon,
    g_ptCmpPreBagIcon, g_ptCmpBagWord, g_ptCmpBrevetTipsBg, g_ptCmpPlayerOrderNum, g_ptCmpBrevetLayerBtn,
    g_ptCmpAlphaBg, g_ptCmpFinalBagWord, g_ptCmpFinalBagPrizeNumBg, g_ptCmpFinalBagResultOrder,
    g_ptCmpFinalPoguanWord, g_ptCmpFinalPoguanPrizeYBNum, g_ptCmpFinalPoguanIcon, g_ptCmpPreAmountTitle,
    g_ptCmpPreAmountNum, g_ptCmpFinalBagYBTitle, g_ptCmpFinalBagMoneyTitle, g_ptCmpFinalBagYBNum,
    g_ptCmpFinalBagMoneyNum, g_ptCmpClock, g_ptCmpOneBtn, g_ptSingalPowerBg, g_ptSingalIcon, g_ptSRDealCardIni,
    g_ptSRLeftUIInfoBg, g_ptSRGoldCard, g_ptSRGoldCardTaskBg, g_ptSRHappyTask, g_ptSRTopTime, g_ptSRResultWord,
    g_ptSRResultBtnExit, g_ptSRResultBtnContinue, g_ptSRResultTimeBG, g_ptSRShowCardInBg, g_ptSRBFGiftPlayNum,
    g_ptSRCardCounterBg, g_ptSRCardCounterFirstLab, g_ptSRSelfCannotSend, g_ptBtnTopUIInfo, g_ptCSMGCardBegin,
    g_ptCSMGBeginLadderPos, g_ptCSMGMapMoon, g_ptCSMGBXBPos, g_ptAwardInfoSprBg, g_ptDayComInfoSprBg,
    g_ptDayComStarBtn, g_ptDayComOrderBtn, g_ptDayComOrderBg, g_ptDayComHalfBg, g_ptDayComEndBg,
    g_ptLaBaIconPos, g_ptWaitFarmerMul, g_ptNewPlayerLiBao, g_ptFirstGetYBTips, g_ptRoomYBTips,
    g_ptRoketEffectBezierEnd, g_ptEffectRoketHuo, g_ptActBtnRoomLayer, g_ptActBtnGameLayer, g_ptSGGameLayer,
    g_ptSGTimeLayer, g_ptAuditionComLayer, g_ptYBShopBg, g_ptYBShopTitle, g_ptYBShopClose, g_ptYBShopDuiHuanBtn,
    g_ptYBShopAwardBg, g_ptYBShopAwardWord, g_ptYBShopAwardIcon, g_ptSRBaseCard, g_ptNormalBaseCard,
    g_ptX2Start, g_ptSpring, g_ptResult, g_ptTurnTable, g_ptGameBullUI, g_ptJiangZhuang, g_ptNickName,
    g_ptStartWord, g_ptQianSan, g_ptSeal, g_ptNoAward, g_ptSpeAward, g_ptSpeWord, g_ptLightRing;
// Points, arrays of 2
cocos2d::Vec2 g_ptShowCardsBtn[2], g_ptBottomUITableMoney[2], g_ptBottomNewUI_1[2], g_ptGameSetMusicVol[2],
    g_ptGameTalkLayerBg[2], g_ptGameTalkLayerTwoBtn[2], g_ptSmallGameBtn[2], g_ptSmallGameLian[2],
    g_ptSmallGameAniFail[2], g_ptSmallGameWindowLeft[2], g_ptSmallGameWindowRight[2],
    g_ptDobGameComboPrizeAniBg[2], g_ptDobGameBetBtn[2], g_ptDobGameBetTip[2], g_ptDobGameAniDefeat[2],
    g_ptDobGameBetSucEarnAni[2], g_ptDobGameClock[2], g_ptCmpSignupStartNum[2], g_ptCmpFinalHeadTipsNum[2],
    g_ptCmpPlayerRankNum[2], g_ptCmpBagPrizeMoney[2], g_ptCmpFinalBagPrizeMoney[2],
    g_ptCmpFinalBagResultInfoNum[2], g_ptCmpFinalBagResultPopNumGap[2], g_ptCmpReliveTipsNum[2],
    g_ptCmpTwoBtn[2], g_ptCmpSelfInfo[2], g_ptPowerPos[2], g_ptSRHappyTaskNum[2], g_ptSRTopPower[2],
    g_ptSRCardCounterBtn[2], g_ptDayComOtherJiFeng[2], g_ptZhonqQiuLiBao[2], g_ptActiveCGTime[2],
    g_ptSuperBomb[2], g_ptAwardBg[2], g_ptCorses[2], g_ptJiangLi[2], g_ptAwardBtn[2], g_ptERClock[2];
// Points, arrays of 3
cocos2d::Vec2 g_ptOtherPlayerInfoLable[3], g_ptSendCard[3], g_ptSendCardEndPublic[3], g_ptDealCardFlyCard[3],
    g_ptDealCardFlyCardStop[3], g_ptBaseCardStop[3], g_ptShowCards[3], g_ptRobResult[3], g_ptTopUIBaseCard[3],
    g_ptBottomUINet[3], g_ptBottomNewUI_0[3], g_ptBottomNewUI_3[3], g_ptBottomNewUI_4[3], g_ptResultFlag[3],
    g_ptGameTalkTip[3], g_ptFaceAniPlay[3], g_ptLanderCard[3], g_ptDobGameSelfInfoIcon[3],
    g_ptDobGameSelTimerBtn[3], g_ptDobGameSelTimerScore[3], g_ptDobGameSelTimerBtn_1[3],
    g_ptDobGameSelTimerScore_1[3], g_ptDobGameAniSuc[3], g_ptAddPound[3], g_ptExplodeCards[3],
    g_ptSuperBombHole[3], g_ptCJResultWinLoseNum[3], g_ptCmpResultWinLoseNumBg[3], g_ptCmpResultNowAmount[3],
    g_ptCmpResultWinLoseNum[3], g_ptCmpResultFlag[3], g_ptCmpResultWeedIcon[3], g_ptCmpFinalBagResultBg[3],
    g_ptCmpFinalBagResultBag[3], g_ptCmpOtherPlayerInfoBg[3], g_ptCmpFinalAmountTitle[3],
    g_ptCmpFinalAmountNum[3], g_ptCmpFinalBagBtn[3], g_ptCmpFinalBagInfoBg[3], g_ptCmpFinalSelfInfoOrder[3],
    g_ptCmpWeededIconStop[3], g_ptCmpVSPlayerInfo[3], g_ptCmpPlayerLeftCard[3], g_ptSRResultFlag[3],
    g_ptHLBombStart[3], g_ptHLBombEmpCtr1[3], g_ptHLBombEmpCtr2[3], g_ptHLBombUpCtr1[3], g_ptHLBombUpCtr2[3],
    g_ptHLBombDownCtr1[3], g_ptHLBombDownCtr2[3], g_ptBombEffectBezierStar[3], g_ptBombEffectBezier[3],
    g_ptBombEffectBezierUp[3], g_ptBombEffectBezierDown[3], g_ptEffectBombHuo[3], g_ptRoketEffectBezierMax[3],
    g_ptQResultJiabei[3], g_ptAniShunzi[3], g_ptDiMing[3], g_ptCompeteJifen[3];
// Points, arrays of 4
cocos2d::Vec2 g_ptPlayerHead[4], g_ptOtherPlayerInfoBG[4], g_ptTipsPlayerInfo[4], g_ptReady[4],
    g_ptPlayerInfoBG[4], g_ptLandOwner[4], g_ptOffLine[4], g_ptHandCard[4], g_ptLeftCardNum[4],
    g_ptSRShowCards[4], g_ptClock[4], g_ptBtnUI[4], g_ptBottomUISingle[4], g_ptBottomNewUI_2[4],
    g_ptResultWinLoseNum[4], g_ptSRResultWinLoseNum[4], g_ptDobGamePrizeRoundName[4],
    g_ptDobGameRoundPrizeNum[4], g_ptDobGameRoundPrizeIcon[4], g_ptCJResultFlag[4], g_ptCmpTotalUserTimeNum[4],
    g_ptCmpPlayerWeeded[4], g_ptCmpVSAni[4], g_ptCmpVSInfoNum[4], g_ptSRPlayerHead[4], g_ptSRLandOwner[4],
    g_ptSROffLine[4], g_ptSRReady[4], g_ptSRLanderCard[4], g_ptSRSendCard[4], g_ptSRSendCardEndPublic[4],
    g_ptSRDealCardFlyCard[4], g_ptSRDealCardFlyCardStop[4], g_ptSRHandCard[4], g_ptSRLeftCardNum[4],
    g_ptSRBtnUI[4], g_ptSRLeftInfo[4], g_ptSRShowCardBg[4], g_ptSRHideShowCardBg[4], g_ptSRCardCounterTip[4],
    g_ptSROtherPlayerInfoBG[4], g_ptSRGameTalkTip[4], g_ptSRFaceAniPlay[4], g_ptCSMGYindao[4],
    g_ptHLBombDest[4], g_ptQResultScore[4], g_ptYBShopDuiHuanIcon[4], g_ptYBShopDuiHuanNum[4],
    g_ptBillClueWord[4], g_ptAwardFlowers[4], g_ptCompeteResultNum[4];
// Points, arrays of 5
cocos2d::Vec2 g_ptSmallGameRoundNum[5], g_ptSmallGamePrizeIcon[5], g_ptSRGoldCardTaskNum[5];
// Points, arrays of 6
cocos2d::Vec2 g_ptTopUIInfo[6];
// Points, arrays of 7
cocos2d::Vec2 g_ptGuideTips[7], g_ptBombExpCards[7], g_ptSpuerBombExpCards[7], g_ptCmpSignupTipsNum[7];
// Points, arrays of 8
cocos2d::Vec2 g_ptBtnGame[8], g_ptSmallGameCardPos[8], g_ptActiveBtn[8];
// Points, arrays of 9
cocos2d::Vec2 g_ptYuanMoney[9];
// Points, arrays of 10
cocos2d::Vec2 g_ptGameAniGoldStar[10], g_ptGameAniDragon[10], g_ptBtnCJGame[10];
// Points, arrays of 12
cocos2d::Vec2 g_ptSRBtnGame[12];
// Points, arrays of 14
cocos2d::Vec2 g_ptGameAniRocket[14];
// Points, arrays of 2 (keys written without "[]")
cocos2d::Vec2 g_ptYBDoubleAct[2], g_ptSRYBDoubleAct[2];
// Points, arrays of 3 (keys written without "[]")
cocos2d::Vec2 g_ptCJResultMulPos[3], g_ptPlayerJiaBeiPos[3], g_ptNoMoneyPos[3];
// Points, arrays of 4 (keys written without "[]")
cocos2d::Vec2 g_ptShowAlert[4], g_ptPlayerMoneyPos[4];
// Sizes
cocos2d::Size g_sizeGameNum_1, g_sizeGameNum_2, g_sizeGameNum_3, g_sizeGameNum_4, g_sizeGameNum_5,
    g_sizeGameNum_6, g_szRoomDisplay, g_szRoomBtnNumSize, g_szRoomBtnLimitNumSize, g_sizeSingleCard,
    g_sizeLeftCardNum, g_sizeClockNum, g_sizeTopUINum, g_szBottomUINum, g_sizeResultTime,
    g_sizeResultWinLoseNum, g_sizeResultFlag, g_sizeGameCountNumSize, g_sizeAniGoldNum, g_sizeFreeTalkBlock,
    g_sizeTalkLayerTouch, g_sizeFaceLayerTouch, g_sizeNowTimeNum, g_sizeTaskRewardNum,
    g_sizeSmallGameSelfGoldNum, g_sizeSmallGamePrizeGoldNum, g_sizeSmallGameBounsGoldNum,
    g_sizeSmallGameTimerNum, g_sizeSmallGamePrizeBoxNumSize, g_sizeGuideAniFarmTicketNum,
    g_sizeDobGameSelfInfoNum, g_sizeDobGameRoundNameNum, g_sizeDobGameBomboMoneyNum, g_sizeDobGameBomboPrizeNum,
    g_sizeDobGameTimerScoreNum, g_sizeDobGameUseMoneyNum, g_sizeDobGameNextRoundPrizeNum, g_sizeDobGameClockNum,
    g_sizeCJResultTime, g_sizeCJResultWinLoseNum, g_sizeCJResultFlag, g_ptCmpResultNowAmountNum,
    g_ptCmpResultAmountWinLoseNum, g_sizeCmpSignupWaitNum, g_sizeCmpSignupWaitTipsNum, g_sizeCmpBaseScoreNum,
    g_sizeCmpHeadTipsNum, g_sizeCmpPlayerRankNum, g_sizeCmpTotalUserTimeNum, g_sizeCmpPlayingTableNum,
    g_sizeCmpBagPrizeNum, g_sizeCmpFinalBagResultInfoNum, g_sizeCmpFinalBagResultOrderNum,
    g_sizeCmpFinalPoguanPrizeYBNum, g_sizeCmpPreAmountNum, g_sizeCmpFinalBagInfoNum,
    g_sizeCmpFinalSelfInfoOrderNum, g_sizeCmpStart, g_sizeSRHappyTaskNum, g_sizeSRCardCounterNum,
    g_sizeCSMGCardLayer, g_sizeCSMGMapLayer;
// Integers
int g_iRoomHorNum, g_iRoomVerNum, g_iSelfHandCardGap, g_iHandCardSelectY, g_iOtherHandCardGap, g_iSendCardGap,
    g_iDealCardIniGap, g_iBaseCardGap, g_iShowCardGapX, g_iShowCardGapY, g_iGameSetVolumeWidth,
    g_iGameSetVolumeHeight, g_iGameSetVolBtnWidth, g_iGameTalkBtnDis, g_iFlyFrame, g_iFreshFrame, g_iToWinFrame,
    g_iNumAniFrame, g_iCJBaseCardGap, g_ptPortraitSelfCardGapV, g_iSRSendCardGap, g_iSRDealCardIniGap,
    g_iSRBaseCardGap, g_ptSRShowCardHGap, g_ptSRShowCardVGap, g_ptSRShowCardLineNum, g_ptSRCardCounterHGap,
    g_ptSRCardCounterVGap, g_iCSMGMapLayer, g_iCSMGMapMoveY, g_iCSMGCardLayerHNum, g_iYBShopDis;
// Integers, arrays of 2
int g_iCSMGCardDis[2], g_iCSMGMapLadderDis[2];
// Integers, arrays of 8
int g_iCSMGAllToLDis[8];
// Floats
float g_fRoomBtnHorGap, g_fRoomBtnVerGap, g_fRoomBtnScale, g_fRoomDotHorGap, g_fRoomDotYGap, g_fSelfHandScale,
    g_fOtherHandScale, g_fSendCardScale, g_fDealCardIniScale, g_fBaseCardScale, g_fShowCardScale,
    g_fGameCountNumDis, g_fSmallGameCardScale, g_fSmallGameFlyScale, g_fSmallGameLookTime, g_fSRSendCardScale,
    g_fSRDealCardIniScale, g_fSRBaseCardScale, g_fSRSelfHandScale, g_fSRTopBaseCardScale, g_fSRTopBaseCardGap,
    g_fCSMGAllScale, g_fOtherHandCardGapX, g_fOtherHandCardGapY, g_ptDDZSmallGameScale;
// Floats, arrays of 2
float g_fCSMGCardScale[2];
// Floats, arrays of 3
float g_fBombDaleyBezier[3], g_fBombEffectRotate[3];
// Floats, arrays of 4
float g_fPlayerHeadScale[4], g_fSRPlayerHeadScale[4];

int g_bIpadLayout = 0;

namespace {

using ddz::LayoutKey;
using ddz::LayoutType;

template <typename T>
constexpr LayoutType TypeOf() {
  if constexpr (std::is_same_v<T, cocos2d::Vec2>) return LayoutType::Point;
  else if constexpr (std::is_same_v<T, cocos2d::Size>) return LayoutType::Size;
  else if constexpr (std::is_same_v<T, int>) return LayoutType::Int;
  else return LayoutType::Float;
}

template <typename T>
LayoutKey Entry(const char* key, T& value) {
  return {key, TypeOf<T>(), &value, 1};
}

template <typename T, std::size_t N>
LayoutKey Entry(const char* key, T (&values)[N]) {
  return {key, TypeOf<T>(), &values[0], static_cast<int>(N)};
}

// KEY: the key is the value's name; KEY_ARRAY: the key is the name followed by "[]".
#define KEY(name) Entry(#name, name)
#define KEY_ARRAY(name) Entry(#name "[]", name)

const LayoutKey kLayoutKeys[] = {
    // Points
    KEY(g_ptBgTable), KEY(g_ptBgChair), KEY(g_iRoomDisplayBasePoint), KEY(g_ptVersion), KEY(g_ptQuickStart),
    KEY(g_ptQuickAni), KEY(g_ptFirstVac), KEY(g_ptRoomShowSysBtn), KEY(g_ptTipsBg), KEY(g_ptRoomBtnBaseScore),
    KEY(g_ptRoomBtnLimit), KEY(g_ptRoomBtnMax), KEY(g_ptCompeteRankInfoBg), KEY(g_ptCompeteEnterInfoBg),
    KEY(g_ptCompeteBottomInfoBg), KEY(g_ptCompeteBeginBtn), KEY(g_ptCompeteOpenTimeInfoBg), KEY(g_ptCardNum),
    KEY(g_ptCardTypeSmall), KEY(g_ptCardTypeBig), KEY(g_ptCardTypeFlower), KEY(g_ptBtnStart),
    KEY(g_ptLoadingFlower), KEY(g_ptLoadingProcess), KEY(g_ptPorLoadingFlower), KEY(g_ptPorLoadingProcess),
    KEY(g_ptSelfCannotSend), KEY(g_ptDealCardIni), KEY(g_ptBaseCard), KEY(g_ptCardNum2),
    KEY(g_ptCardTypeSmall2), KEY(g_ptGameX2), KEY(g_ptJPQDff), KEY(g_ptMingPainWord), KEY(g_ptTopUI),
    KEY(g_ptTopUIFinalPoint), KEY(g_ptTopUITimes), KEY(g_ptBottomUI), KEY(g_ptBottomUISingalTaskTip),
    KEY(g_ptTaskNetTime), KEY(g_ptTaskSingleTime), KEY(g_ptBottomUITips), KEY(g_ptBottomYBBg),
    KEY(g_ptBottomMoneyBg), KEY(g_ptBottomYBIcon), KEY(g_ptBottomMoneyIcon), KEY(g_ptBottomLv),
    KEY(g_ptResultPlayerHead), KEY(g_ptResultLandOwner), KEY(g_ptResultTimeBG), KEY(g_ptResultBtnExit),
    KEY(g_ptResultBtnContinue), KEY(g_ptResultBtnSmall), KEY(g_ptGameSetBgPos), KEY(g_ptGameSetBtnClose),
    KEY(g_ptGameSetBtnMusicSwitch), KEY(g_ptGameSetBtnSoundSwitch), KEY(g_ptGameSetBtnEffectSwitch),
    KEY(g_ptGameSetBtnOrientationSwitch), KEY(g_ptGameSetWord), KEY(g_ptGameCountBg), KEY(g_ptGameCountBtn),
    KEY(g_ptGameCountNum), KEY(g_ptGameAniOneDragStar), KEY(g_ptGameTalkLayerTouch),
    KEY(g_ptGameFaceLayerTouch), KEY(g_ptTaskSingleBtn), KEY(g_ptTaskBg), KEY(g_ptTaskTitle),
    KEY(g_ptTaskRewardNum), KEY(g_ptTaskRewardIcon), KEY(g_ptTaskUpLightStart), KEY(g_ptTaskUpLightEnd),
    KEY(g_ptTaskDownLightStart), KEY(g_ptTaskDownLightEnd), KEY(g_ptTaskNoneBg), KEY(g_ptGameTips),
    KEY(g_ptSmallGameMagic), KEY(g_ptSmallGameSelfGold), KEY(g_ptSmallGamePrizeGold), KEY(g_ptSmallGameBounsBg),
    KEY(g_ptSmallGameBounsGold), KEY(g_ptSmallGameStar), KEY(g_ptSmallGameTimer), KEY(g_ptSmallGameCardBornPos),
    KEY(g_ptSmallGameFreshCardPos), KEY(g_ptSmallGameFailAniPos), KEY(g_ptSmallGameAniSuc),
    KEY(g_ptSmallGameStartStr), KEY(g_ptSmallGameChooseTip), KEY(g_ptSmallGameGoldNum),
    KEY(g_ptSmallGameGoldIcon), KEY(g_ptSmallGameCloseBtn), KEY(g_ptSmallGameShareBtn),
    KEY(g_ptSmallGameComboPrizeTypeIcon), KEY(g_ptSingalGameLeftTipPos), KEY(g_ptSingalGameRightTipPos),
    KEY(g_ptGuideAniFarmTicketNum), KEY(g_ptGuideAniHuJingTicketNum), KEY(g_ptDobGameSelfInfoBg),
    KEY(g_ptDobGameSelfInfoMoney), KEY(g_ptDobGameSelfInfoYB), KEY(g_ptDobGameSelfInfoTicket),
    KEY(g_ptDobGameComboPrizeBg), KEY(g_ptDobGameBomboMoney), KEY(g_ptDobGameBomboPrizeYB),
    KEY(g_ptDobGameRule), KEY(g_ptDobGameRuleBomboMoney), KEY(g_ptDobGameRuleMoneyNumIcon),
    KEY(g_ptDobGameQuitBtn), KEY(g_ptDobGameQuitScoreBtn), KEY(g_ptDobGameUseMoneyBg),
    KEY(g_ptDobGameUseMoneyNum), KEY(g_ptDobGameNextRoundPrizeTip), KEY(g_ptDobGameNextRoundPrizeNum),
    KEY(g_ptDobGameNextRoundPrizeIcon), KEY(g_ptDobGameBetBg), KEY(g_ptDobGameBetPoker),
    KEY(g_ptDobGameBetHelpBtn), KEY(g_ptDobGameBetSelPokerStart), KEY(g_ptDobGameBetSelPokerBg),
    KEY(g_ptDobGameAniCombo), KEY(g_ptDobGameShilderBlock), KEY(g_ptDobGameComboTips),
    KEY(g_ptDobGameQuitScoreTips), KEY(g_ptDobGameLefeRuleBg), KEY(g_ptDobGameLefeRuleLimit),
    KEY(g_ptDobGameLefeRuleValueIcon), KEY(g_ptCJCardPos), KEY(g_ptCJResultPlayerHead),
    KEY(g_ptCJResultLandOwner), KEY(g_ptCJResultTimeBG), KEY(g_ptCJResultBtnExit), KEY(g_ptCJResultBtnContinue),
    KEY(g_ptCJResultBtnSmall), KEY(g_ptCJGameCountBtn), KEY(g_ptCJGameCountNum), KEY(g_ptBFGiftPlayNum),
    KEY(g_ptBFGiftPlayNumLab), KEY(g_ptCmpResultFlagBg), KEY(g_ptCmpResultClock), KEY(g_ptCmpResultGameResult),
    KEY(g_ptCmpSignupWaitBg), KEY(g_ptCmpSignupWaitNum), KEY(g_ptCmpSignupTipsBg), KEY(g_ptCmpSignupStartBg),
    KEY(g_ptCmpBaseScoreBg), KEY(g_ptCmpBaseScoreTitle), KEY(g_ptCmpBaseScoreTitle1), KEY(g_ptCmpBaseScoreNum),
    KEY(g_ptCmpBaseScoreRoundNum), KEY(g_ptCmpBaseScoreEndTip), KEY(g_ptCmpBaseScorePlayerNum),
    KEY(g_ptCmpHeadTips), KEY(g_ptCmpHeadTipsNum), KEY(g_ptCmpPlayerRank), KEY(g_ptCmpCenterBg),
    KEY(g_ptCmpWaitOthersWord), KEY(g_ptCmpTotalUserTime), KEY(g_ptCmpPlayingTableWord),
    KEY(g_ptCmpBagPrizeNumBg), KEY(g_ptCmpBagIcon), KEY(g_ptCmpPreBagIcon), KEY(g_ptCmpBagWord),
    KEY(g_ptCmpBrevetTipsBg), KEY(g_ptCmpPlayerOrderNum), KEY(g_ptCmpBrevetLayerBtn), KEY(g_ptCmpAlphaBg),
    KEY(g_ptCmpFinalBagWord), KEY(g_ptCmpFinalBagPrizeNumBg), KEY(g_ptCmpFinalBagResultOrder),
    KEY(g_ptCmpFinalPoguanWord), KEY(g_ptCmpFinalPoguanPrizeYBNum), KEY(g_ptCmpFinalPoguanIcon),
    KEY(g_ptCmpPreAmountTitle), KEY(g_ptCmpPreAmountNum), KEY(g_ptCmpFinalBagYBTitle),
    KEY(g_ptCmpFinalBagMoneyTitle), KEY(g_ptCmpFinalBagYBNum), KEY(g_ptCmpFinalBagMoneyNum), KEY(g_ptCmpClock),
    KEY(g_ptCmpOneBtn), KEY(g_ptSingalPowerBg), KEY(g_ptSingalIcon), KEY(g_ptSRDealCardIni),
    KEY(g_ptSRLeftUIInfoBg), KEY(g_ptSRGoldCard), KEY(g_ptSRGoldCardTaskBg), KEY(g_ptSRHappyTask),
    KEY(g_ptSRTopTime), KEY(g_ptSRResultWord), KEY(g_ptSRResultBtnExit), KEY(g_ptSRResultBtnContinue),
    KEY(g_ptSRResultTimeBG), KEY(g_ptSRShowCardInBg), KEY(g_ptSRBFGiftPlayNum), KEY(g_ptSRCardCounterBg),
    KEY(g_ptSRCardCounterFirstLab), KEY(g_ptSRSelfCannotSend), KEY(g_ptBtnTopUIInfo), KEY(g_ptCSMGCardBegin),
    KEY(g_ptCSMGBeginLadderPos), KEY(g_ptCSMGMapMoon), KEY(g_ptCSMGBXBPos), KEY(g_ptAwardInfoSprBg),
    KEY(g_ptDayComInfoSprBg), KEY(g_ptDayComStarBtn), KEY(g_ptDayComOrderBtn), KEY(g_ptDayComOrderBg),
    KEY(g_ptDayComHalfBg), KEY(g_ptDayComEndBg), KEY(g_ptLaBaIconPos), KEY(g_ptWaitFarmerMul),
    KEY(g_ptNewPlayerLiBao), KEY(g_ptFirstGetYBTips), KEY(g_ptRoomYBTips), KEY(g_ptRoketEffectBezierEnd),
    KEY(g_ptEffectRoketHuo), KEY(g_ptActBtnRoomLayer), KEY(g_ptActBtnGameLayer), KEY(g_ptSGGameLayer),
    KEY(g_ptSGTimeLayer), KEY(g_ptAuditionComLayer), KEY(g_ptYBShopBg), KEY(g_ptYBShopTitle),
    KEY(g_ptYBShopClose), KEY(g_ptYBShopDuiHuanBtn), KEY(g_ptYBShopAwardBg), KEY(g_ptYBShopAwardWord),
    KEY(g_ptYBShopAwardIcon), KEY(g_ptSRBaseCard), KEY(g_ptNormalBaseCard), KEY(g_ptX2Start), KEY(g_ptSpring),
    KEY(g_ptResult), KEY(g_ptTurnTable), KEY(g_ptGameBullUI), KEY(g_ptJiangZhuang), KEY(g_ptNickName),
    KEY(g_ptStartWord), KEY(g_ptQianSan), KEY(g_ptSeal), KEY(g_ptNoAward), KEY(g_ptSpeAward), KEY(g_ptSpeWord),
    KEY(g_ptLightRing),
    // Points, arrays of 2
    KEY_ARRAY(g_ptShowCardsBtn), KEY_ARRAY(g_ptBottomUITableMoney), KEY_ARRAY(g_ptBottomNewUI_1),
    KEY_ARRAY(g_ptGameSetMusicVol), KEY_ARRAY(g_ptGameTalkLayerBg), KEY_ARRAY(g_ptGameTalkLayerTwoBtn),
    KEY_ARRAY(g_ptSmallGameBtn), KEY_ARRAY(g_ptSmallGameLian), KEY_ARRAY(g_ptSmallGameAniFail),
    KEY_ARRAY(g_ptSmallGameWindowLeft), KEY_ARRAY(g_ptSmallGameWindowRight),
    KEY_ARRAY(g_ptDobGameComboPrizeAniBg), KEY_ARRAY(g_ptDobGameBetBtn), KEY_ARRAY(g_ptDobGameBetTip),
    KEY_ARRAY(g_ptDobGameAniDefeat), KEY_ARRAY(g_ptDobGameBetSucEarnAni), KEY_ARRAY(g_ptDobGameClock),
    KEY_ARRAY(g_ptCmpSignupStartNum), KEY_ARRAY(g_ptCmpFinalHeadTipsNum), KEY_ARRAY(g_ptCmpPlayerRankNum),
    KEY_ARRAY(g_ptCmpBagPrizeMoney), KEY_ARRAY(g_ptCmpFinalBagPrizeMoney),
    KEY_ARRAY(g_ptCmpFinalBagResultInfoNum), KEY_ARRAY(g_ptCmpFinalBagResultPopNumGap),
    KEY_ARRAY(g_ptCmpReliveTipsNum), KEY_ARRAY(g_ptCmpTwoBtn), KEY_ARRAY(g_ptCmpSelfInfo),
    KEY_ARRAY(g_ptPowerPos), KEY_ARRAY(g_ptSRHappyTaskNum), KEY_ARRAY(g_ptSRTopPower),
    KEY_ARRAY(g_ptSRCardCounterBtn), KEY_ARRAY(g_ptDayComOtherJiFeng), KEY_ARRAY(g_ptZhonqQiuLiBao),
    KEY_ARRAY(g_ptActiveCGTime), KEY_ARRAY(g_ptSuperBomb), KEY_ARRAY(g_ptAwardBg), KEY_ARRAY(g_ptCorses),
    KEY_ARRAY(g_ptJiangLi), KEY_ARRAY(g_ptAwardBtn), KEY_ARRAY(g_ptERClock),
    // Points, arrays of 3
    KEY_ARRAY(g_ptOtherPlayerInfoLable), KEY_ARRAY(g_ptSendCard), KEY_ARRAY(g_ptSendCardEndPublic),
    KEY_ARRAY(g_ptDealCardFlyCard), KEY_ARRAY(g_ptDealCardFlyCardStop), KEY_ARRAY(g_ptBaseCardStop),
    KEY_ARRAY(g_ptShowCards), KEY_ARRAY(g_ptRobResult), KEY_ARRAY(g_ptTopUIBaseCard),
    KEY_ARRAY(g_ptBottomUINet), KEY_ARRAY(g_ptBottomNewUI_0), KEY_ARRAY(g_ptBottomNewUI_3),
    KEY_ARRAY(g_ptBottomNewUI_4), KEY_ARRAY(g_ptResultFlag), KEY_ARRAY(g_ptGameTalkTip),
    KEY_ARRAY(g_ptFaceAniPlay), KEY_ARRAY(g_ptLanderCard), KEY_ARRAY(g_ptDobGameSelfInfoIcon),
    KEY_ARRAY(g_ptDobGameSelTimerBtn), KEY_ARRAY(g_ptDobGameSelTimerScore), KEY_ARRAY(g_ptDobGameSelTimerBtn_1),
    KEY_ARRAY(g_ptDobGameSelTimerScore_1), KEY_ARRAY(g_ptDobGameAniSuc), KEY_ARRAY(g_ptAddPound),
    KEY_ARRAY(g_ptExplodeCards), KEY_ARRAY(g_ptSuperBombHole), KEY_ARRAY(g_ptCJResultWinLoseNum),
    KEY_ARRAY(g_ptCmpResultWinLoseNumBg), KEY_ARRAY(g_ptCmpResultNowAmount), KEY_ARRAY(g_ptCmpResultWinLoseNum),
    KEY_ARRAY(g_ptCmpResultFlag), KEY_ARRAY(g_ptCmpResultWeedIcon), KEY_ARRAY(g_ptCmpFinalBagResultBg),
    KEY_ARRAY(g_ptCmpFinalBagResultBag), KEY_ARRAY(g_ptCmpOtherPlayerInfoBg),
    KEY_ARRAY(g_ptCmpFinalAmountTitle), KEY_ARRAY(g_ptCmpFinalAmountNum), KEY_ARRAY(g_ptCmpFinalBagBtn),
    KEY_ARRAY(g_ptCmpFinalBagInfoBg), KEY_ARRAY(g_ptCmpFinalSelfInfoOrder), KEY_ARRAY(g_ptCmpWeededIconStop),
    KEY_ARRAY(g_ptCmpVSPlayerInfo), KEY_ARRAY(g_ptCmpPlayerLeftCard), KEY_ARRAY(g_ptSRResultFlag),
    KEY_ARRAY(g_ptHLBombStart), KEY_ARRAY(g_ptHLBombEmpCtr1), KEY_ARRAY(g_ptHLBombEmpCtr2),
    KEY_ARRAY(g_ptHLBombUpCtr1), KEY_ARRAY(g_ptHLBombUpCtr2), KEY_ARRAY(g_ptHLBombDownCtr1),
    KEY_ARRAY(g_ptHLBombDownCtr2), KEY_ARRAY(g_ptBombEffectBezierStar), KEY_ARRAY(g_ptBombEffectBezier),
    KEY_ARRAY(g_ptBombEffectBezierUp), KEY_ARRAY(g_ptBombEffectBezierDown), KEY_ARRAY(g_ptEffectBombHuo),
    KEY_ARRAY(g_ptRoketEffectBezierMax), KEY_ARRAY(g_ptQResultJiabei), KEY_ARRAY(g_ptAniShunzi),
    KEY_ARRAY(g_ptDiMing), KEY_ARRAY(g_ptCompeteJifen),
    // Points, arrays of 4
    KEY_ARRAY(g_ptPlayerHead), KEY_ARRAY(g_ptOtherPlayerInfoBG), KEY_ARRAY(g_ptTipsPlayerInfo),
    KEY_ARRAY(g_ptReady), KEY_ARRAY(g_ptPlayerInfoBG), KEY_ARRAY(g_ptLandOwner), KEY_ARRAY(g_ptOffLine),
    KEY_ARRAY(g_ptHandCard), KEY_ARRAY(g_ptLeftCardNum), KEY_ARRAY(g_ptSRShowCards), KEY_ARRAY(g_ptClock),
    KEY_ARRAY(g_ptBtnUI), KEY_ARRAY(g_ptBottomUISingle), KEY_ARRAY(g_ptBottomNewUI_2),
    KEY_ARRAY(g_ptResultWinLoseNum), KEY_ARRAY(g_ptSRResultWinLoseNum), KEY_ARRAY(g_ptDobGamePrizeRoundName),
    KEY_ARRAY(g_ptDobGameRoundPrizeNum), KEY_ARRAY(g_ptDobGameRoundPrizeIcon), KEY_ARRAY(g_ptCJResultFlag),
    KEY_ARRAY(g_ptCmpTotalUserTimeNum), KEY_ARRAY(g_ptCmpPlayerWeeded), KEY_ARRAY(g_ptCmpVSAni),
    KEY_ARRAY(g_ptCmpVSInfoNum), KEY_ARRAY(g_ptSRPlayerHead), KEY_ARRAY(g_ptSRLandOwner),
    KEY_ARRAY(g_ptSROffLine), KEY_ARRAY(g_ptSRReady), KEY_ARRAY(g_ptSRLanderCard), KEY_ARRAY(g_ptSRSendCard),
    KEY_ARRAY(g_ptSRSendCardEndPublic), KEY_ARRAY(g_ptSRDealCardFlyCard), KEY_ARRAY(g_ptSRDealCardFlyCardStop),
    KEY_ARRAY(g_ptSRHandCard), KEY_ARRAY(g_ptSRLeftCardNum), KEY_ARRAY(g_ptSRBtnUI), KEY_ARRAY(g_ptSRLeftInfo),
    KEY_ARRAY(g_ptSRShowCardBg), KEY_ARRAY(g_ptSRHideShowCardBg), KEY_ARRAY(g_ptSRCardCounterTip),
    KEY_ARRAY(g_ptSROtherPlayerInfoBG), KEY_ARRAY(g_ptSRGameTalkTip), KEY_ARRAY(g_ptSRFaceAniPlay),
    KEY_ARRAY(g_ptCSMGYindao), KEY_ARRAY(g_ptHLBombDest), KEY_ARRAY(g_ptQResultScore),
    KEY_ARRAY(g_ptYBShopDuiHuanIcon), KEY_ARRAY(g_ptYBShopDuiHuanNum), KEY_ARRAY(g_ptBillClueWord),
    KEY_ARRAY(g_ptAwardFlowers), KEY_ARRAY(g_ptCompeteResultNum),
    // Points, arrays of 5
    KEY_ARRAY(g_ptSmallGameRoundNum), KEY_ARRAY(g_ptSmallGamePrizeIcon), KEY_ARRAY(g_ptSRGoldCardTaskNum),
    // Points, arrays of 6
    KEY_ARRAY(g_ptTopUIInfo),
    // Points, arrays of 7
    KEY_ARRAY(g_ptGuideTips), KEY_ARRAY(g_ptBombExpCards), KEY_ARRAY(g_ptSpuerBombExpCards),
    KEY_ARRAY(g_ptCmpSignupTipsNum),
    // Points, arrays of 8
    KEY_ARRAY(g_ptBtnGame), KEY_ARRAY(g_ptSmallGameCardPos), KEY_ARRAY(g_ptActiveBtn),
    // Points, arrays of 9
    KEY_ARRAY(g_ptYuanMoney),
    // Points, arrays of 10
    KEY_ARRAY(g_ptGameAniGoldStar), KEY_ARRAY(g_ptGameAniDragon), KEY_ARRAY(g_ptBtnCJGame),
    // Points, arrays of 12
    KEY_ARRAY(g_ptSRBtnGame),
    // Points, arrays of 14
    KEY_ARRAY(g_ptGameAniRocket),
    // Points, arrays of 2 (keys written without "[]")
    KEY(g_ptYBDoubleAct), KEY(g_ptSRYBDoubleAct),
    // Points, arrays of 3 (keys written without "[]")
    KEY(g_ptCJResultMulPos), KEY(g_ptPlayerJiaBeiPos), KEY(g_ptNoMoneyPos),
    // Points, arrays of 4 (keys written without "[]")
    KEY(g_ptShowAlert), KEY(g_ptPlayerMoneyPos),
    // Sizes
    KEY(g_sizeGameNum_1), KEY(g_sizeGameNum_2), KEY(g_sizeGameNum_3), KEY(g_sizeGameNum_4),
    KEY(g_sizeGameNum_5), KEY(g_sizeGameNum_6), KEY(g_szRoomDisplay), KEY(g_szRoomBtnNumSize),
    KEY(g_szRoomBtnLimitNumSize), KEY(g_sizeSingleCard), KEY(g_sizeLeftCardNum), KEY(g_sizeClockNum),
    KEY(g_sizeTopUINum), KEY(g_szBottomUINum), KEY(g_sizeResultTime), KEY(g_sizeResultWinLoseNum),
    KEY(g_sizeResultFlag), KEY(g_sizeGameCountNumSize), KEY(g_sizeAniGoldNum), KEY(g_sizeFreeTalkBlock),
    KEY(g_sizeTalkLayerTouch), KEY(g_sizeFaceLayerTouch), KEY(g_sizeNowTimeNum), KEY(g_sizeTaskRewardNum),
    KEY(g_sizeSmallGameSelfGoldNum), KEY(g_sizeSmallGamePrizeGoldNum), KEY(g_sizeSmallGameBounsGoldNum),
    KEY(g_sizeSmallGameTimerNum), KEY(g_sizeSmallGamePrizeBoxNumSize), KEY(g_sizeGuideAniFarmTicketNum),
    KEY(g_sizeDobGameSelfInfoNum), KEY(g_sizeDobGameRoundNameNum), KEY(g_sizeDobGameBomboMoneyNum),
    KEY(g_sizeDobGameBomboPrizeNum), KEY(g_sizeDobGameTimerScoreNum), KEY(g_sizeDobGameUseMoneyNum),
    KEY(g_sizeDobGameNextRoundPrizeNum), KEY(g_sizeDobGameClockNum), KEY(g_sizeCJResultTime),
    KEY(g_sizeCJResultWinLoseNum), KEY(g_sizeCJResultFlag), KEY(g_ptCmpResultNowAmountNum),
    KEY(g_ptCmpResultAmountWinLoseNum), KEY(g_sizeCmpSignupWaitNum), KEY(g_sizeCmpSignupWaitTipsNum),
    KEY(g_sizeCmpBaseScoreNum), KEY(g_sizeCmpHeadTipsNum), KEY(g_sizeCmpPlayerRankNum),
    KEY(g_sizeCmpTotalUserTimeNum), KEY(g_sizeCmpPlayingTableNum), KEY(g_sizeCmpBagPrizeNum),
    KEY(g_sizeCmpFinalBagResultInfoNum), KEY(g_sizeCmpFinalBagResultOrderNum),
    KEY(g_sizeCmpFinalPoguanPrizeYBNum), KEY(g_sizeCmpPreAmountNum), KEY(g_sizeCmpFinalBagInfoNum),
    KEY(g_sizeCmpFinalSelfInfoOrderNum), KEY(g_sizeCmpStart), KEY(g_sizeSRHappyTaskNum),
    KEY(g_sizeSRCardCounterNum), KEY(g_sizeCSMGCardLayer), KEY(g_sizeCSMGMapLayer),
    // Integers
    KEY(g_iRoomHorNum), KEY(g_iRoomVerNum), KEY(g_iSelfHandCardGap), KEY(g_iHandCardSelectY),
    KEY(g_iOtherHandCardGap), KEY(g_iSendCardGap), KEY(g_iDealCardIniGap), KEY(g_iBaseCardGap),
    KEY(g_iShowCardGapX), KEY(g_iShowCardGapY), KEY(g_iGameSetVolumeWidth), KEY(g_iGameSetVolumeHeight),
    KEY(g_iGameSetVolBtnWidth), KEY(g_iGameTalkBtnDis), KEY(g_iFlyFrame), KEY(g_iFreshFrame),
    KEY(g_iToWinFrame), KEY(g_iNumAniFrame), KEY(g_iCJBaseCardGap), KEY(g_ptPortraitSelfCardGapV),
    KEY(g_iSRSendCardGap), KEY(g_iSRDealCardIniGap), KEY(g_iSRBaseCardGap), KEY(g_ptSRShowCardHGap),
    KEY(g_ptSRShowCardVGap), KEY(g_ptSRShowCardLineNum), KEY(g_ptSRCardCounterHGap), KEY(g_ptSRCardCounterVGap),
    KEY(g_iCSMGMapLayer), KEY(g_iCSMGMapMoveY), KEY(g_iCSMGCardLayerHNum), KEY(g_iYBShopDis),
    // Integers, arrays of 2
    KEY_ARRAY(g_iCSMGCardDis), KEY_ARRAY(g_iCSMGMapLadderDis),
    // Integers, arrays of 8
    KEY_ARRAY(g_iCSMGAllToLDis),
    // Floats
    KEY(g_fRoomBtnHorGap), KEY(g_fRoomBtnVerGap), KEY(g_fRoomBtnScale), KEY(g_fRoomDotHorGap),
    KEY(g_fRoomDotYGap), KEY(g_fSelfHandScale), KEY(g_fOtherHandScale), KEY(g_fSendCardScale),
    KEY(g_fDealCardIniScale), KEY(g_fBaseCardScale), KEY(g_fShowCardScale), KEY(g_fGameCountNumDis),
    KEY(g_fSmallGameCardScale), KEY(g_fSmallGameFlyScale), KEY(g_fSmallGameLookTime), KEY(g_fSRSendCardScale),
    KEY(g_fSRDealCardIniScale), KEY(g_fSRBaseCardScale), KEY(g_fSRSelfHandScale), KEY(g_fSRTopBaseCardScale),
    KEY(g_fSRTopBaseCardGap), KEY(g_fCSMGAllScale), KEY(g_fOtherHandCardGapX), KEY(g_fOtherHandCardGapY),
    KEY(g_ptDDZSmallGameScale),
    // Floats, arrays of 2
    KEY_ARRAY(g_fCSMGCardScale),
    // Floats, arrays of 3
    KEY_ARRAY(g_fBombDaleyBezier), KEY_ARRAY(g_fBombEffectRotate),
    // Floats, arrays of 4
    KEY_ARRAY(g_fPlayerHeadScale), KEY_ARRAY(g_fSRPlayerHeadScale),
};

#undef KEY
#undef KEY_ARRAY

}  // namespace

namespace ddz {

std::span<const LayoutKey> LayoutKeys() { return kLayoutKeys; }

const char* ChooseLayoutFile(bool judgeIp5Conf, const char* deviceModel, bool sceneIpadFlag) {
  const bool tablet = !judgeIp5Conf && ((deviceModel && std::strcmp(deviceModel, "ipad") == 0) || sceneIpadFlag);
  g_bIpadLayout = tablet ? 1 : 0;
  return tablet ? kLayoutFileTablet : kLayoutFilePhone;
}

}  // namespace ddz

void LoadGamePositionInfo(const char* file) {
  YndConf::SetFileAndSection(file, ddz::kLayoutSection, true);
  for (const LayoutKey& k : kLayoutKeys) {
    switch (k.type) {
      case LayoutType::Point:
        YndConf::GetYndConfInfo(static_cast<cocos2d::Vec2*>(k.target), k.key, k.count);
        break;
      case LayoutType::Size:
        YndConf::GetYndConfInfo(static_cast<cocos2d::Size*>(k.target), k.key, k.count);
        break;
      case LayoutType::Int:
        YndConf::GetYndConfInfo(static_cast<int*>(k.target), k.key, k.count);
        break;
      case LayoutType::Float:
        YndConf::GetYndConfInfo(static_cast<float*>(k.target), k.key, k.count);
        break;
    }
  }
  YndConf::SetFileClose();
}
