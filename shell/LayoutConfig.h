// The layout configuration: one process-wide value per key of the layout
// file (section "game position info"), named after its key. Every position,
// size, gap and scale of the table and room screens is read from here. All
// start at zero; LoadGamePositionInfo fills them, and a key missing from the
// file leaves its value as it was.
#pragma once

#include <cstddef>
#include <span>

#include "platform/engine/Math.h"

// Points
extern cocos2d::Vec2 g_ptBgTable, g_ptBgChair, g_iRoomDisplayBasePoint, g_ptVersion, g_ptQuickStart,
    g_ptQuickAni, g_ptFirstVac, g_ptRoomShowSysBtn, g_ptTipsBg, g_ptRoomBtnBaseScore, g_ptRoomBtnLimit,
    g_ptRoomBtnMax, g_ptCompeteRankInfoBg, g_ptCompeteEnterInfoBg, g_ptCompeteBottomInfoBg, g_ptCompeteBeginBtn,
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
extern cocos2d::Vec2 g_ptShowCardsBtn[2], g_ptBottomUITableMoney[2], g_ptBottomNewUI_1[2],
    g_ptGameSetMusicVol[2], g_ptGameTalkLayerBg[2], g_ptGameTalkLayerTwoBtn[2], g_ptSmallGameBtn[2],
    g_ptSmallGameLian[2], g_ptSmallGameAniFail[2], g_ptSmallGameWindowLeft[2], g_ptSmallGameWindowRight[2],
    g_ptDobGameComboPrizeAniBg[2], g_ptDobGameBetBtn[2], g_ptDobGameBetTip[2], g_ptDobGameAniDefeat[2],
    g_ptDobGameBetSucEarnAni[2], g_ptDobGameClock[2], g_ptCmpSignupStartNum[2], g_ptCmpFinalHeadTipsNum[2],
    g_ptCmpPlayerRankNum[2], g_ptCmpBagPrizeMoney[2], g_ptCmpFinalBagPrizeMoney[2],
    g_ptCmpFinalBagResultInfoNum[2], g_ptCmpFinalBagResultPopNumGap[2], g_ptCmpReliveTipsNum[2],
    g_ptCmpTwoBtn[2], g_ptCmpSelfInfo[2], g_ptPowerPos[2], g_ptSRHappyTaskNum[2], g_ptSRTopPower[2],
    g_ptSRCardCounterBtn[2], g_ptDayComOtherJiFeng[2], g_ptZhonqQiuLiBao[2], g_ptActiveCGTime[2],
    g_ptSuperBomb[2], g_ptAwardBg[2], g_ptCorses[2], g_ptJiangLi[2], g_ptAwardBtn[2], g_ptERClock[2];
// Points, arrays of 3
extern cocos2d::Vec2 g_ptOtherPlayerInfoLable[3], g_ptSendCard[3], g_ptSendCardEndPublic[3],
    g_ptDealCardFlyCard[3], g_ptDealCardFlyCardStop[3], g_ptBaseCardStop[3], g_ptShowCards[3], g_ptRobResult[3],
    g_ptTopUIBaseCard[3], g_ptBottomUINet[3], g_ptBottomNewUI_0[3], g_ptBottomNewUI_3[3], g_ptBottomNewUI_4[3],
    g_ptResultFlag[3], g_ptGameTalkTip[3], g_ptFaceAniPlay[3], g_ptLanderCard[3], g_ptDobGameSelfInfoIcon[3],
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
extern cocos2d::Vec2 g_ptPlayerHead[4], g_ptOtherPlayerInfoBG[4], g_ptTipsPlayerInfo[4], g_ptReady[4],
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
extern cocos2d::Vec2 g_ptSmallGameRoundNum[5], g_ptSmallGamePrizeIcon[5], g_ptSRGoldCardTaskNum[5];
// Points, arrays of 6
extern cocos2d::Vec2 g_ptTopUIInfo[6];
// Points, arrays of 7
extern cocos2d::Vec2 g_ptGuideTips[7], g_ptBombExpCards[7], g_ptSpuerBombExpCards[7], g_ptCmpSignupTipsNum[7];
// Points, arrays of 8
extern cocos2d::Vec2 g_ptBtnGame[8], g_ptSmallGameCardPos[8], g_ptActiveBtn[8];
// Points, arrays of 9
extern cocos2d::Vec2 g_ptYuanMoney[9];
// Points, arrays of 10
extern cocos2d::Vec2 g_ptGameAniGoldStar[10], g_ptGameAniDragon[10], g_ptBtnCJGame[10];
// Points, arrays of 12
extern cocos2d::Vec2 g_ptSRBtnGame[12];
// Points, arrays of 14
extern cocos2d::Vec2 g_ptGameAniRocket[14];
// Points, arrays of 2 (keys written without "[]")
extern cocos2d::Vec2 g_ptYBDoubleAct[2], g_ptSRYBDoubleAct[2];
// Points, arrays of 3 (keys written without "[]")
extern cocos2d::Vec2 g_ptCJResultMulPos[3], g_ptPlayerJiaBeiPos[3], g_ptNoMoneyPos[3];
// Points, arrays of 4 (keys written without "[]")
extern cocos2d::Vec2 g_ptShowAlert[4], g_ptPlayerMoneyPos[4];
// Sizes
extern cocos2d::Size g_sizeGameNum_1, g_sizeGameNum_2, g_sizeGameNum_3, g_sizeGameNum_4, g_sizeGameNum_5,
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
extern int g_iRoomHorNum, g_iRoomVerNum, g_iSelfHandCardGap, g_iHandCardSelectY, g_iOtherHandCardGap,
    g_iSendCardGap, g_iDealCardIniGap, g_iBaseCardGap, g_iShowCardGapX, g_iShowCardGapY, g_iGameSetVolumeWidth,
    g_iGameSetVolumeHeight, g_iGameSetVolBtnWidth, g_iGameTalkBtnDis, g_iFlyFrame, g_iFreshFrame, g_iToWinFrame,
    g_iNumAniFrame, g_iCJBaseCardGap, g_ptPortraitSelfCardGapV, g_iSRSendCardGap, g_iSRDealCardIniGap,
    g_iSRBaseCardGap, g_ptSRShowCardHGap, g_ptSRShowCardVGap, g_ptSRShowCardLineNum, g_ptSRCardCounterHGap,
    g_ptSRCardCounterVGap, g_iCSMGMapLayer, g_iCSMGMapMoveY, g_iCSMGCardLayerHNum, g_iYBShopDis;
// Integers, arrays of 2
extern int g_iCSMGCardDis[2], g_iCSMGMapLadderDis[2];
// Integers, arrays of 8
extern int g_iCSMGAllToLDis[8];
// Floats
extern float g_fRoomBtnHorGap, g_fRoomBtnVerGap, g_fRoomBtnScale, g_fRoomDotHorGap, g_fRoomDotYGap,
    g_fSelfHandScale, g_fOtherHandScale, g_fSendCardScale, g_fDealCardIniScale, g_fBaseCardScale,
    g_fShowCardScale, g_fGameCountNumDis, g_fSmallGameCardScale, g_fSmallGameFlyScale, g_fSmallGameLookTime,
    g_fSRSendCardScale, g_fSRDealCardIniScale, g_fSRBaseCardScale, g_fSRSelfHandScale, g_fSRTopBaseCardScale,
    g_fSRTopBaseCardGap, g_fCSMGAllScale, g_fOtherHandCardGapX, g_fOtherHandCardGapY, g_ptDDZSmallGameScale;
// Floats, arrays of 2
extern float g_fCSMGCardScale[2];
// Floats, arrays of 3
extern float g_fBombDaleyBezier[3], g_fBombEffectRotate[3];
// Floats, arrays of 4
extern float g_fPlayerHeadScale[4], g_fSRPlayerHeadScale[4];

// 1 when the tablet layout file was chosen (ChooseLayoutFile), else 0.
extern int g_bIpadLayout;

// Reads every layout key of `file` (found through the search paths) into its
// value. Arrays take as many entries as the file gives, up to their length,
// whether or not the key carries "[]".
void LoadGamePositionInfo(const char* file);

namespace ddz {

inline constexpr const char* kLayoutFilePhone = "ddz_pt_game_ip5.conf";
inline constexpr const char* kLayoutFileTablet = "ddz_pt_game_ipad.conf";
inline constexpr const char* kLayoutSection = "game position info";

// The device rule of the table views: the phone file when the scene's
// JudgeIP5Conf answers true; otherwise the tablet file when the device model
// is "ipad" or the scene's tablet flag is set; else the phone file. Sets
// g_bIpadLayout to 1 exactly when the tablet file is chosen.
const char* ChooseLayoutFile(bool judgeIp5Conf, const char* deviceModel, bool sceneIpadFlag);

enum class LayoutType { Point, Size, Int, Float };

// One key of the layout file: the key as written in the file, the type and
// address of its value, and the number of entries (1 for a single value).
struct LayoutKey {
  const char* key;
  LayoutType type;
  void* target;
  int count;
};

// Every key, in the order the loader reads them.
std::span<const LayoutKey> LayoutKeys();

}  // namespace ddz
