// Our two mailboxes: the support address that the feedback form shows and
// opens as a blank mail, and the mailbox that receives the feedback mail.
#pragma once

#include <string_view>

namespace feedback {

inline constexpr std::string_view SupportMailAddress = "support@dorvane.example.org";
inline constexpr std::string_view FeedbackMailAddress = "feedback@dorvane.example.org";

}  // namespace feedback
