// Resource ids of PelCamera's start-up.
#pragma once

#define IDR_MAINFRAME 128
