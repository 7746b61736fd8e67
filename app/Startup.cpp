#include "app/Startup.h"

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "feedback/FeedbackForm.h"
#include "media/CreateDisketteForm.h"

int DorvaneMain(forms::Application& app, sys::Services& services) {
    try {
        app.Initialize();
        Form1 = app.CreateForm<TForm1>(services);
        Form2 = app.CreateForm<TForm2>(services);
        About = app.CreateForm<TAbout>(services);
        FeedbackForm = app.CreateForm<TFeedbackForm>(services);
        app.Run();
    } catch (const forms::Exception& e) {
        app.ShowException(e.what());
    } catch (...) {
        app.ShowException("");
    }
    return 0;
}
