#include "data/DataFileMessages.h"

#include "platform/core/Dialogs.h"

namespace sorban::data {

void reportMissingFile(const std::string& sentence)
{
    platform::dialogs().messageBox("ご注意！", sentence);
}

void reportFieldError(const std::string& word)
{
    platform::dialogs().messageBox(word, "ご報告");
}

} // namespace sorban::data
