#pragma once
// The events of the install and removal stages. They share the downloader's
// callback shape (code, value, text), so one receiver takes every stage.
#include <functional>

using StatusCallback = std::function<void(int code, double value, const wchar_t* text)>;

enum InstallCode : int {
    IST_CODE_START = 2001,
    IST_CODE_PROGRESS = 2002,
    IST_CODE_SUCCESS = 2003,
    IST_CODE_FAIL = 2004,
    IST_INFO_INST_PATH = 3000,
    IST_INFO_EXE_PATH = 3001,
    IST_INFO_UNINST_EXE = 3002,
    IST_INFO_UNINST_EP = 3003,
    IST_INFO_START_URL = 3004,
    IST_INFO_STARTUP_STYLE = 3005,
    IST_INFO_TOP_SHOW_DETENTION = 3007,
    IST_INFO_FINISH_CLOSE_DETENTION = 3008,
    IST_INFO_MESSAGE = 3009,
};

enum RemovalCode : int {
    UNIST_CODE_PROGRESS = 5002,
    UNIST_CODE_SUCCESS = 5003,
    UNIST_CODE_FAIL = 5004,
    UNIST_CODE_ERROR = 5005,
};

// What a status parser returns for a read that decided the run.
constexpr int kStatusDecidedSuccess = 1;
constexpr int kStatusDecidedFailure = 1000;
// The failure value of a program that could not be started.
constexpr double kStartFailureValue = 2;
