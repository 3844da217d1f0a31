#pragma once

// Marks a text of the core that the interface shows: the core keeps using the Japanese text
// as it is (files written with it stay the same), and the translation tools collect it under
// the context given, so the interface can show it translated
// (QCoreApplication::translate(context, text)). Expands to the text alone.
#define KZV_TR_NOOP(context, text) text
