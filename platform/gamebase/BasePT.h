// The design size of the window that every layout is written for.
#pragma once

class BasePT {
 public:
  static int g_iWindowWidth;   // 1280
  static int g_iWindowHeight;  // 720
};
