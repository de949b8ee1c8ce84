#ifndef VARNEL_RUNTIME_HELPREQUESTS_H
#define VARNEL_RUNTIME_HELPREQUESTS_H

#include <functional>

// The application's help by topic number. This program ships no topic-numbered help file (its
// help is a view of its own window), so nothing shows a topic until a help system is installed;
// tests install one to see which topic was asked for.
class THelpRequests {
public:
    using Handler = std::function<void(int topic)>;

    static void ShowTopic(int topic);
    // An empty handler takes the help system out again.
    static void SetHandler(Handler handler);

private:
    static Handler& CurrentHandler();
};

#endif
