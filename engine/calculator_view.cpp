#include "engine/calculator_view.h"

namespace {

// Stands in until the shell sets its view, so that no operation needs to test for one.
class SilentView final : public CalculatorView {
public:
    void SetDisplayText(const char*) override {}
    void SetMemoryIndicatorText(const char*) override {}
    void FlashButton(int) override {}
    void Beep() override {}
    void ShowMessage(const char*, const char*) override {}
    void ModeChanged(int) override {}
    void TapeAdded(int) override {}
    void TapeCleared() override {}
    int TapeVisibleLines() override { return 0; }
};

SilentView g_silentView;
CalculatorView* g_view = &g_silentView;

}  // namespace

void SetCalculatorView(CalculatorView* view) { g_view = view != nullptr ? view : &g_silentView; }

CalculatorView& EngineView() { return *g_view; }
