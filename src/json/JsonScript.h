#pragma once
// The script every document loads into its engine: the member-counting
// function the document's statements call, then JSON support for engines
// that lack it, which ends by adding toJSONString and parseJSON to every
// object. One line of ASCII.
#include "base/Text.h"

namespace vantorel {

const Text& JsonScript();

// `code` as a single-quoted script string literal: backslashes, single quotes,
// CR and LF escaped.
Text ScriptLiteral(const Text& code);

}  // namespace vantorel
