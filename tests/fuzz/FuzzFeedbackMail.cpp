// The feedback mail with arbitrary names and comments: the address may only
// hold what RFC 6068 allows, and decoding it must give back exactly the
// subject and body the answers make, line breaks as CR LF.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "feedback/FeedbackMail.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

int hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    std::abort();
}

bool allowed(char c) {
    const std::string_view extra = "-._~!$'()*,;:@";
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           extra.find(c) != std::string_view::npos || c == '%';
}

std::string decode(std::string_view encoded) {
    std::string out;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        check(allowed(encoded[i]));
        if (encoded[i] != '%') {
            out += encoded[i];
            continue;
        }
        check(i + 2 < encoded.size());
        out += static_cast<char>(hex(encoded[i + 1]) * 16 + hex(encoded[i + 2]));
        i += 2;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // Byte 0: the two ratings (or none); byte 1: where the name ends; the
    // rest: the name, then the comments.
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t split = rest.empty() ? 0 : data[1] % (rest.size() + 1);
    feedback::FeedbackAnswers answers;
    answers.name = rest.substr(0, split);
    answers.comments = rest.substr(split);
    const int features = data[0] % 6, overall = (data[0] / 6) % 6;
    if (features < 5) answers.featuresWord = feedback::RatingWords[static_cast<std::size_t>(features)];
    if (overall < 5) answers.overallWord = feedback::RatingWords[static_cast<std::size_t>(overall)];

    const std::string mailbox = "feedback@dorvane.example.org";
    const std::string address = feedback::ComposeFeedbackAddress(mailbox, "1.32", answers);
    const std::string head = "mailto:" + mailbox + "?Subject=";
    check(address.compare(0, head.size(), head) == 0);
    const std::size_t body = address.find("&Body=");
    check(body != std::string::npos && address.find('&', body + 1) == std::string::npos);

    feedback::FeedbackAnswers normalized = answers;
    const std::string comments = feedback::NormalizeLineBreaks(answers.comments);
    normalized.comments = comments;
    const feedback::FeedbackText expected = feedback::ComposeFeedbackText("1.32", normalized);
    check(decode(std::string_view(address).substr(head.size(), body - head.size())) == expected.subject);
    check(decode(std::string_view(address).substr(body + 6)) == expected.body);
    return 0;
}
