#include "testhost/scenario/host_texts.h"

namespace tandrel::testhost {

HostTexts Utf8HostTexts() {
    const auto same = [](const std::string& text) { return text; };
    return {same, same};
}

void ConvertStepTexts(std::vector<Step>& steps, const HostTexts& texts) {
    for (Step& step : steps) {
        for (Token& token : step.tokens) {
            token.text = texts.from_utf8(token.text);
        }
    }
}

}  // namespace tandrel::testhost
