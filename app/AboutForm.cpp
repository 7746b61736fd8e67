#include "app/AboutForm.h"

#include "app/Logo.h"

using namespace forms;

TAbout* About = nullptr;

TAbout::TAbout(Application& app, sys::Services& services)
    : Form(app, "About"),
      Image1(make<Image>("Image1")),
      Label1(make<Label>("Label1")),
      Label2(make<Label>("Label2")),
      BitBtn1(make<BitBtn>("BitBtn1")),
      Bevel1(make<Bevel>("Bevel1")),
      Label4(make<Label>("Label4")),
      services_(services) {
    setText("About");
    borderStyle = BorderStyle::Dialog;
    maximizeBox = false;
    setClientSize(290, 152);
    setBounds(0, 0, 296, 181);
    setColor(clWhite);
    Font f;
    f.color = clWindowText;
    setFont(f);

    Image1.picture = MakeLogo();
    Image1.setBounds(16, 0, Image1.picture.width, Image1.picture.height);
    for (Control* c : controls()) c->setFont(f);

    Label1.setText(product::Name);
    Label1.setBounds(145, 8, 0, 13);
    Label2.setText(std::string("Version ") + product::VersionText);
    Label2.setBounds(172, 32, 0, 13);

    BitBtn1.setText("OK");
    BitBtn1.setBounds(204, 120, 75, 25);
    BitBtn1.tabOrder = 0;
    BitBtn1.isDefault = true;
    BitBtn1.isCancel = true;  // Esc closes the box as OK does
    BitBtn1.onClick = [this] { BitBtn1Click(); };

    Bevel1.setBounds(8, 104, 273, 9);

    Label4.setText(ProductWebSiteText);
    Label4.setBounds(159, 83, 0, 13);
    Font linkFont = f;
    linkFont.color = clBlue;
    linkFont.style = fsUnderline;
    Label4.setFont(linkFont);
    Label4.setCursor(Cursor::Hand);
    Label4.onClick = [this] { Label4Click(); };
    Label4.link = true;
    Label4.tabStop = true;
    Label4.tabOrder = 1;  // after OK

    // OK is first in the keyboard order, so it holds the focus when the box opens.
    FocusControl(BitBtn1);
}

void TAbout::BitBtn1Click() { setVisible(false); }

void TAbout::Label4Click() {
    services_.shell.ShellExecuteA("open", ProductWebSite, nullptr, nullptr, sys::SW_RESTORE);
}
