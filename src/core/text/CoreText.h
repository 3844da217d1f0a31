#pragma once

#include <initializer_list>
#include <string>

namespace kzv {

// Sentences the core builds for the user to read (not for files): the interface may install a
// translator, which gets the Japanese source of each sentence (marked KZV_TR_NOOP("Core", ...))
// and returns it in the interface's language. Without one the core speaks Japanese, as the
// command line and the files always do.
using CoreTranslator = std::string (*)(const char* source);
void SetCoreTranslator(CoreTranslator translator);

// source translated (or as it is), with "%1", "%2", ... replaced by args in turn.
std::string CoreText(const char* source, std::initializer_list<std::string> args = {});

}  // namespace kzv
