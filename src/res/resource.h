#pragma once
// Resource ids. Numbers are fixed: stored settings and outside tools refer to them.

#define IDI_MAINFRAME 107
#define IDR_MAINFRAME 128
