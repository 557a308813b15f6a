#include "keyweld/link/comm_error.h"

#include <array>
#include <utility>

namespace keyweld {

namespace {

constexpr std::array<std::pair<CommErrorCode, std::string_view>, 13> kTexts{{
    {CommErrorCode::AlreadyOpen, "ポートは、すでにオープンされています"},
    {CommErrorCode::PortOpen, "Port Open Error"},
    {CommErrorCode::SetupComm, "SetupComm Error"},
    {CommErrorCode::BitRate, "SetCommBitRate Error"},
    {CommErrorCode::CharSize, "SetCommCharSize Error"},
    {CommErrorCode::ParityBit, "SetCommParityBit Error"},
    {CommErrorCode::StopBits, "SetCommStopBits Error"},
    {CommErrorCode::FlowControl, "通信フロー制御の設定で失敗しました"},
    {CommErrorCode::Timeouts, "SetCommTimeouts Error"},
    {CommErrorCode::XonChar, "Xon文字の設定でエラーが発生しました"},
    {CommErrorCode::XoffChar, "Xoff文字の設定でエラーが発生しました"},
    {CommErrorCode::SendThread, "送信用スレッドを生成できませんでした"},
    {CommErrorCode::ReceiveThread, "受信用スレッドを生成できませんでした"},
}};

}  // namespace

std::string_view commErrorText(CommErrorCode code) {
    for (const auto& [entry, text] : kTexts) {
        if (entry == code) return text;
    }
    return {};
}

}  // namespace keyweld
