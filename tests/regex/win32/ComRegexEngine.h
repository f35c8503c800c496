// The platform's own regular-expression object, "VBScript.RegExp", behind the RegexEngine
// interface: an independent answer to compare the built-in engine with. Test-only.
//
// Every member is reached by name through IDispatch, as an automation client reaches it.
// Each engine initialises COM on its thread when made; the engine and every collection,
// match and sub-match collection that came from it share that initialisation, and the
// last of them to go uninitialises it, so results outlive their engine as the interface
// promises. Everything is used on the thread that made the engine.
//
// Failures map as they do for the built-in engine: a failed read gives std::nullopt, a
// failed call returning an object gives nullptr, a failed setting gives false.
#pragma once

#include <memory>

#include "regex/RegexEngine.h"

// A new platform object with its settings as made (every setting false, empty pattern), or
// nullptr when it cannot be created; then *failure, when given, receives the HRESULT.
[[nodiscard]] std::unique_ptr<RegexEngine> MakeComRegexEngine(long* failure = nullptr);

// True under Wine, whose object answers otherwise than Windows' in a few known ways.
[[nodiscard]] bool RunningUnderWine();
