// The about box: name, version and a link to the product web site.
#pragma once

#include "platform/forms/Form.h"
#include "platform/services.h"
#include "product/Product.h"

// Our product web site, opened by the about box's link; the link shows the
// short form, which fits beside the picture.
inline constexpr const char* ProductWebSite = product::WebSite;
inline constexpr const char* ProductWebSiteText = product::WebSiteText;

class TAbout : public forms::Form {
public:
    TAbout(forms::Application& app, sys::Services& services);

    forms::Image& Image1;
    forms::Label& Label1;
    forms::Label& Label2;
    forms::BitBtn& BitBtn1;
    forms::Bevel& Bevel1;
    forms::Label& Label4;

    void BitBtn1Click();
    void Label4Click();

private:
    sys::Services& services_;
};

extern TAbout* About;
