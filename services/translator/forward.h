#pragma once

namespace prevod {

// Forward declarations for the translation service.

class DictdData;
class DictdEntry;
class DictdIndex;
class Dictionary;
class DictionaryError;
class PhraseTranslator;
class ReverseIndex;
class Translator;
class TranslatorSite;
struct DictdIndexEntry;
struct TranslationFragment;
enum class Language;

}  // namespace prevod
