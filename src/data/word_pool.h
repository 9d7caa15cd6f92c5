#pragma once
// The pool: the entries of all selected word files, in library order and line order. It is
// shared between the vocabulary cache and the sessions built over it.
#include "data/word_entry.h"

using WordPool = WordEntries;
