#include "app/frame/interface_styles.h"

#include "lumo/container.h"
#include "lumo/font.h"
#include "shell/menu_labels.h"
#include "shell/themes.h"
#include "state/application.h"

const FillStyle* active_style(int slot)
{
    return &g_active_fill_styles[static_cast<std::size_t>(slot)];
}

void fill_with(lumo::P& widget, int slot)
{
    widget.fill = true;
    widget.fill_style = active_style(slot);
}

void set_border(lumo::Border& b, int width, int slot)
{
    b.width = width;
    b.style = active_style(slot);
}

void style_text(Application& app, lumo::P& text, const std::string& label, int font)
{
    text.font = font;
    text.text_colour_override = app.theme_text_colour.data();
    text.set_label(label);
}

void add_children(lumo::KL& parent, std::initializer_list<lumo::P*> children)
{
    for (lumo::P* child : children)
        parent.add_child(child);
}

void style_plain_button(Application& app, lumo::P& button, const std::string& label)
{
    button.set_label(label);
    button.font = lumo::kFontSmallBold;
    button.hover_style = active_style(STYLE_HIGHLIGHT);
    button.selected_style = active_style(STYLE_HIGHLIGHT);
    button.text_colour_override = app.theme_text_colour.data();
}

void style_button(Application& app, lumo::P& button, const LabelGroup& labels, int i)
{
    const auto index = static_cast<std::size_t>(i);
    style_plain_button(app, button, labels.short_labels[index]);
    button.hint_title = &labels.pairs[index].label;
    button.hint_text = &labels.pairs[index].tooltip;
}
