#include "rename/NamingRules.h"

#include "platform/Platform.h"
#include "platform/Text.h"
#include "platform/Characters.h"
#include "rename/PackageFinder.h"

namespace seamster {

const char* const kForbiddenCharactersMessage =
    "These characters are not allowed in filenames:\n\" ? [ ] / \\ = + < > : ; * ,";

namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 32; }

// Decimal digit strings without leading zeros ("0" for zero); the running
// number may be longer than any integer type when the settings file says so.
std::string incremented(std::string digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    return digits;
}

std::string decremented(std::string digits) {  // digits > 0
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '0') {
            --digits[i];
            break;
        }
        digits[i] = '9';
    }
    size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

}  // namespace

std::string trimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string advanceStartNumber(std::string_view startNumber) {
    // The value is read the way a user would read it: leading blanks, an
    // optional sign, then decimal digits up to the first other character.
    size_t pos = startNumber.find_first_not_of(' ');
    if (pos == std::string_view::npos) pos = startNumber.size();
    bool negative = false;
    if (pos < startNumber.size() && (startNumber[pos] == '+' || startNumber[pos] == '-'))
        negative = startNumber[pos++] == '-';
    std::string digits;
    while (pos < startNumber.size() && isDigit(startNumber[pos])) digits += startNumber[pos++];
    size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? "0" : digits.substr(first);

    std::string text;
    if (negative && digits != "0") {
        text = decremented(digits);
        if (text != "0") text.insert(text.begin(), '-');
    } else {
        text = incremented(digits);
    }
    if (text.size() < startNumber.size()) text.insert(0, startNumber.size() - text.size(), '0');
    return text;
}

std::string composeNewName(std::string_view oldName, NamingSettings& options) {
    std::string base = removeAllIgnoreCase(oldName, ".package");
    if (!options.keepNumber && hasBodyShopNumber(base))
        base = base.substr(offsetOfCharacter(base, 9));
    std::string name = options.inFront + base + options.inBack;
    if (options.customNumber) {
        name += options.startNumber;
        options.startNumber = advanceStartNumber(options.startNumber);
    }
    return name;
}

bool isValidFileName(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (isControl(c) || std::string_view("\"*/:<>?\\|").find(c) != std::string_view::npos)
            return false;
    return true;
}

CleanedText cleanFileNameText(std::string_view text) {
    CleanedText result;
    result.showMessage = !isValidFileName(text);
    // Blanks are trimmed before the removal, so a blank next to a removed
    // character stays.
    for (char c : trimBlanks(text))
        if (!isControl(c) &&
            std::string_view("?[]=+<>:;\\/*,\"|").find(c) == std::string_view::npos)
            result.text += c;
    return result;
}

std::string cleanFileNameText(std::string_view text, Dialogs& dialogs) {
    CleanedText cleaned = cleanFileNameText(text);
    if (cleaned.showMessage) dialogs.showMessage(kForbiddenCharactersMessage, iconInformation);
    return cleaned.text;
}

bool cleanTypedText(std::string& text, Dialogs& dialogs) {
    if (text.empty() || isValidFileName(text)) return false;
    std::string cleaned = cleanFileNameText(text, dialogs);
    bool changed = cleaned != text;
    text = std::move(cleaned);
    return changed;
}

}  // namespace seamster
