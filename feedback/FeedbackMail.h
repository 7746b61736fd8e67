// The feedback mail: the subject and body that the answers make, and the
// mailto: address that carries them to the user's mail client. Pure text
// functions, kept apart from the form.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace feedback {

// The five steps of both rating scales, best first, as the mail names them.
inline constexpr std::array<std::string_view, 5> RatingWords = {"EXCELLENT", "GOOD", "AVERAGE", "BAD", "VERY BAD"};

struct FeedbackAnswers {
    std::string_view name;
    std::optional<std::string_view> featuresWord;  // none when no features button is checked
    std::optional<std::string_view> overallWord;   // none when no overall button is checked
    std::string_view comments;                     // empty when the memo is empty
};

struct FeedbackText {
    std::string subject;
    std::string body;
};

// The subject and body exactly as the user is meant to read them; a missing
// rating leaves its place empty and empty comments leave out the comments
// sentence.
FeedbackText ComposeFeedbackText(std::string_view versionText, const FeedbackAnswers& answers);

// Turns every line break (CR LF, a lone LF or a lone CR) into CR LF.
std::string NormalizeLineBreaks(std::string_view text);

// Percent-encodes one header value of a mailto: address.
std::string EncodeMailtoValue(std::string_view text);

// "mailto:<mailbox>?Subject=<subject>&Body=<body>", both values encoded, the
// comments' line breaks written as CR LF.
std::string ComposeFeedbackAddress(std::string_view mailbox, std::string_view versionText,
                                   const FeedbackAnswers& answers);

// What the user reads when no mail program could be started for the
// feedback mail: where to write by hand instead.
std::string MailNotStartedText(std::string_view mailbox);

}  // namespace feedback
