#include "runtime/HelpRequests.h"

void THelpRequests::ShowTopic(int topic) {
    if (CurrentHandler())
        CurrentHandler()(topic);
}

void THelpRequests::SetHandler(Handler handler) {
    CurrentHandler() = std::move(handler);
}

THelpRequests::Handler& THelpRequests::CurrentHandler() {
    static Handler handler;
    return handler;
}
