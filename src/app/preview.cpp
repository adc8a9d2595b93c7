#include "app/preview.h"

#include <cstddef>
#include <string>

#include "optimize/pass.h"

namespace app {

std::vector<ForeseenEffect> Foresee(const form::MainForm& form, sysaccess::System& sys) {
    form::MainForm copy = form; // the pass moves the bar and the buttons of its own form
    copy.SetObserver(nullptr);
    sysaccess::RecordingSystem plan(sys, sysaccess::RecordMode::Plan);
    undo::Foreseer foreseer(plan);
    form::WindowlessHost host;
    form::Context ctx{copy, foreseer, host};
    optimize::RunPass(ctx, true);
    std::vector<ForeseenEffect> out;
    for (std::size_t i = 0; i < plan.Effects().size() && i < foreseer.Judged().size(); ++i)
        out.push_back({plan.Effects()[i], foreseer.Judged()[i]});
    return out;
}

std::string PreviewText(const std::vector<ForeseenEffect>& effects, lang::Language language) {
    // In undo::Foresight's order.
    constexpr lang::Str kMarks[] = {lang::Str::MarkChanges, lang::Str::MarkAtTarget, lang::Str::MarkUnknown};
    std::size_t counts[3] = {};
    std::string lines;
    for (const ForeseenEffect& e : effects) {
        ++counts[static_cast<int>(e.foresight)];
        lines += std::string(lang::Text(kMarks[static_cast<int>(e.foresight)], language)) + "  " +
                 sysaccess::OneLine(sysaccess::EffectWords(e.effect)) + "\r\n";
    }
    return lang::Format(lang::Str::PreviewHead, language,
                        {std::to_string(counts[0]), std::to_string(counts[1]), std::to_string(counts[2])}) +
           "\r\n\r\n" + lines;
}

void cmdPreview(form::Context& ctx) {
    ctx.host.ShowText(ctx.form.Text(lang::Str::PreviewTitle),
                      PreviewText(Foresee(ctx.form, ctx.sys), ctx.form.Language()));
}

} // namespace app
