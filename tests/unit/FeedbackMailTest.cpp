// The feedback mail's address: whatever the user types must come back
// unchanged when a mail client decodes the address, and the version text.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "feedback/FeedbackMail.h"
#include "feedback/MailAddresses.h"
#include "feedback/VersionText.h"
#include "tests/fakes/AppFixture.h"

using namespace feedback;

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower case is not what we write
}

// What a mail client does with a header value: %XX back to its byte.
std::string PercentDecode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
            ADD_FAILURE() << "malformed escape at " << i << " in " << text;
            return out;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// Letters, digits, "-._~", the delimiters RFC 6068 allows in a header value
// except "+", and the escapes' "%".
bool AllowedInValue(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("-._~!$'(),*;:@%").find(c) != std::string_view::npos;
}

// Splits the address at its literal separators and checks every value
// character; returns the decoded subject and body.
FeedbackText DecodeAddress(const std::string& address) {
    const std::string head = "mailto:" + std::string(FeedbackMailAddress) + "?Subject=";
    EXPECT_EQ(address.substr(0, head.size()), head);
    const std::size_t body = address.find("&Body=");
    EXPECT_NE(body, std::string::npos) << address;
    if (body == std::string::npos || body < head.size()) return {};
    const std::string subject = address.substr(head.size(), body - head.size());
    const std::string bodyText = address.substr(body + 6);
    for (const std::string* value : {&subject, &bodyText})
        for (const char c : *value)
            EXPECT_TRUE(AllowedInValue(c)) << "byte " << int(static_cast<unsigned char>(c)) << " in " << address;
    return {PercentDecode(subject), PercentDecode(bodyText)};
}

void ExpectRoundTrip(const FeedbackAnswers& answers, std::string_view normalizedComments) {
    const FeedbackText decoded = DecodeAddress(ComposeFeedbackAddress(FeedbackMailAddress, "1.32", answers));
    FeedbackAnswers expected = answers;
    expected.comments = normalizedComments;
    const FeedbackText text = ComposeFeedbackText("1.32", expected);
    EXPECT_EQ(decoded.subject, text.subject);
    EXPECT_EQ(decoded.body, text.body);
}

TEST(FeedbackMail, DecodedAddressGivesBackTheAnswersWithLineBreaksAsCrLf) {
    struct Case {
        std::string name;
        std::string comments;
        std::string normalized;
    } cases[] = {
        {"Sam & Co?", "a=1&b=2", "a=1&b=2"},
        {"100% #1", "50%+50%=100% #done", "50%+50%=100% #done"},
        {"%41%2", "%0D%0A", "%0D%0A"},  // escapes typed by the user stay text
        {"   ", "   ", "   "},
        {"Sam", "\r\n", "\r\n"},
        {"Sam", "\n", "\r\n"},
        {"Sam", "\r", "\r\n"},
        {"Sam", "one\r\ntwo\nthree\rfour\r\r\nfive\n\n", "one\r\ntwo\r\nthree\r\nfour\r\n\r\nfive\r\n\r\n"},
        {"Zoë Jürgens", "Привет, 世界 😀", "Привет, 世界 😀"},
        {"a+b", "x+y", "x+y"},
        {"<a href=\"/\">'\\`|{}^[]</a>", "tab\there", "tab\there"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " / " + c.comments);
        ExpectRoundTrip({c.name, "GOOD", "VERY BAD", c.comments}, c.normalized);
    }
    // A missing rating leaves its place empty; no comments leave out their sentence.
    ExpectRoundTrip({"Sam", std::nullopt, std::nullopt, ""}, "");
}

TEST(FeedbackMail, EveryByteSurvivesInNameAndComments) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const bool lineBreak = b == '\r' || b == '\n';
        SCOPED_TRACE(b);
        ExpectRoundTrip({one, "BAD", "AVERAGE", one}, lineBreak ? "\r\n" : one);
    }
}

// The two addresses of the worked examples, decoded, to the blank.
using FeedbackMailSent = fakes::AppFixture;

TEST_F(FeedbackMailSent, WorkedExamplesDecodeToTheirText) {
    const std::string to = "mailto:" + std::string(FeedbackMailAddress);
    const std::string sentence = to +
                                 "?Subject=Dorvane v1.32 from Sam Sample&Body=Sam Sample has rated the program "
                                 "features as GOOD.   The overall program rating is EXCELLENT";
    const std::pair<std::string, std::string> examples[] = {
        {"Fast and clear.", sentence + ".   Comments: Fast and clear."},
        {"", sentence},
    };
    Form1->Feedback1.click();
    FeedbackForm->Edit_YourName.textEdited("Sam Sample", 99);
    FeedbackForm->RadioButton_GoodFeatures.click();
    FeedbackForm->RadioButton_ExcellentProgram.click();
    for (const auto& [comments, expected] : examples) {
        shell.requests.clear();
        FeedbackForm->Memo_Comments.textEdited(comments, 99);
        FeedbackForm->Button_SendMail.click();
        ASSERT_EQ(shell.requests.size(), 1u);
        EXPECT_EQ(PercentDecode(shell.requests[0].file), expected);
        EXPECT_EQ(shell.requests[0].file.find(' '), std::string::npos);
    }
}

TEST(FeedbackVersionText, GeneralFormAtMostFifteenDigitsInTheLocaleSeparator) {
    struct Case {
        double value;
        char separator;
        const char* text;
    } cases[] = {
        {1.32, '.', "1.32"},
        {1.32, ',', "1,32"},
        {0.1 + 0.2, '.', "0.3"},
        {1.0 / 3.0, ',', "0,333333333333333"},
        {2.0 / 3.0, '.', "0.666666666666667"},
        {100.0, ',', "100"},
        {-2.5, '.', "-2.5"},
        {0.0, '.', "0"},
        {123456789012345.0, '.', "123456789012345"},
        {1e20, '.', "1E20"},
        {1.5e-7, ',', "1,5E-7"},
        // The form's limits: exponent -4 stays fixed, -5 and 15 (also after
        // rounding to fifteen digits) do not.
        {0.0001, '.', "0.0001"},
        {0.00001, '.', "1E-5"},
        {999999999999999.9, '.', "1E15"},
        {0.000123456789012345678, ',', "0,000123456789012346"},
        {-1.7976931348623157e308, '.', "-1.79769313486232E308"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToText(c.value, c.separator), c.text) << c.value;

    for (const char separator : {'.', ','}) {
        fakes::FakeLocale locale;
        locale.separator = separator;
        EXPECT_EQ(VersionText(locale), std::string("1") + separator + "32");
    }
}

}  // namespace
