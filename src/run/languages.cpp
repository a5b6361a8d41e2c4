#include "run/languages.h"

namespace languages {
namespace {

constexpr Language kLanguages[] = {
    {'C', "CHINESE", "G_CHINES.PDA", 6}, {'E', "ENGLISH", "G_ENGLIS.PDA", 1},
    {'F', "FRENCH", "G_FRENCH.PDA", 2},  {'G', "GERMAN", "G_GERMAN.PDA", 3},
    {'I', "ITALIAN", "G_ITALIA.PDA", 5}, {'S', "SPANISH", "G_SPANIS.PDA", 4},
};

}  // namespace

const Language* FindByLetter(char letter) {
  for (const Language& l : kLanguages) {
    if (l.letter == letter) return &l;
  }
  return nullptr;
}

const Language* FindByNumber(int32_t number) {
  for (const Language& l : kLanguages) {
    if (l.number == number) return &l;
  }
  return nullptr;
}

}  // namespace languages
