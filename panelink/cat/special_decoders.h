#pragma once

#include <cstdint>

#include "panelink/core/answer_text.h"
#include "panelink/core/core_services.h"

namespace panelink {

enum class RadioField : int;  // radio_state.h

// Decoders of the answers with a shape of their own, as AnswerTable names them. Each reads one
// answer (letters at 0 and 1, parameters from 2, no ";") into RadioState, its CommandState
// copies and the menu item table, and returns whether the answer's display update is due.
// "AI", "PS", "ID", "MD" and "RS" also run the connection rules.
bool decodeID(CoreServices& s, const AnswerText& text);
bool decodeAI(CoreServices& s, const AnswerText& text);
bool decodePS(CoreServices& s, const AnswerText& text);
bool decodeVS(CoreServices& s, const AnswerText& text);
bool decodeBP(CoreServices& s, const AnswerText& text);
bool decodeML(CoreServices& s, const AnswerText& text);
bool decodeCO(CoreServices& s, const AnswerText& text);
bool decodeIS(CoreServices& s, const AnswerText& text);
bool decodeSQRG(CoreServices& s, const AnswerText& text);  // "SQ" and "RG" alike
bool decodeRM(CoreServices& s, const AnswerText& text);
bool decodeIF(CoreServices& s, const AnswerText& text);
bool decodeOI(CoreServices& s, const AnswerText& text);
bool decodeKM(CoreServices& s, const AnswerText& text);
bool decodeMD(CoreServices& s, const AnswerText& text);
bool decodeRI(CoreServices& s, const AnswerText& text);
bool decodeRS(CoreServices& s, const AnswerText& text);
bool decodeBG(CoreServices& s, const AnswerText& text);
bool decodeBY(CoreServices& s, const AnswerText& text);
bool decodeDA(CoreServices& s, const AnswerText& text);
bool decodeVR(CoreServices& s, const AnswerText& text);
bool decodeLM(CoreServices& s, const AnswerText& text);

// Stores a reported value and refreshes the field's CommandState copy from what the field
// holds now, whether or not the store succeeded. Returns whether the store succeeded.
bool storeReported(CoreServices& s, RadioField field, std::int32_t value);
// Refreshes the field's CommandState copy, if it keeps one.
void copyReported(CoreServices& s, RadioField field);

}  // namespace panelink
