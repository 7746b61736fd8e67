#include "feedback/FeedbackMail.h"

namespace feedback {

FeedbackText ComposeFeedbackText(std::string_view versionText, const FeedbackAnswers& answers) {
    FeedbackText text;
    text.subject.append("Dorvane v").append(versionText).append(" from ").append(answers.name);

    std::string& body = text.body;
    body.append(answers.name).append(" has rated the program features as ");
    body.append(answers.featuresWord.value_or(std::string_view{}));
    body.append(".   The overall program rating is ");
    body.append(answers.overallWord.value_or(std::string_view{}));
    if (!answers.comments.empty()) body.append(".   Comments: ").append(answers.comments);
    return text;
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// Characters that every mail client takes literally inside a header value:
// letters, digits, "-._~" and the delimiters that carry no meaning there.
// "+" is left out because some clients read it as a blank.
bool keptLiterally(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    constexpr std::string_view kept = "-._~!$'()*,;:@";
    return kept.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

// Without this encoding the user's own words are lost on the way: clients end
// the body at the first "&", drop everything after "#", decode "%" and "+"
// sequences that were meant literally, and mangle raw line breaks. So every
// byte other than the few safe ones, UTF-8 bytes included, goes as %XX.
std::string EncodeMailtoValue(std::string_view text) {
    constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptLiterally(c)) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

std::string ComposeFeedbackAddress(std::string_view mailbox, std::string_view versionText,
                                   const FeedbackAnswers& answers) {
    const std::string comments = NormalizeLineBreaks(answers.comments);
    FeedbackAnswers normalized = answers;
    normalized.comments = comments;
    const FeedbackText text = ComposeFeedbackText(versionText, normalized);

    std::string address = "mailto:";
    address.append(mailbox);
    address.append("?Subject=").append(EncodeMailtoValue(text.subject));
    address.append("&Body=").append(EncodeMailtoValue(text.body));
    return address;
}

std::string MailNotStartedText(std::string_view mailbox) {
    return "The mail program could not be started, so your feedback has not been sent. "
           "Please write it to " + std::string(mailbox) + "; your answers stay on the form.";
}

}  // namespace feedback
