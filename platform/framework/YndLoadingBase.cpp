#include "platform/framework/YndLoadingBase.h"

YndLoadingBase::YndLoadingBase() : YndGameLayer(nullptr) {}

void YndLoadingBase::SetProNum(int percent) { m_iProNum = percent; }
