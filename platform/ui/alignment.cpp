#include "platform/ui/alignment.h"

#include "platform/ui/control.h"

#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

std::vector<TControl*> alignedChildren(QWidget* container, TAlign align)
{
    std::vector<TControl*> result;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        TControl* control = TControl::of(child);
        if (control && control->Align == align && !child->isHidden())
            result.push_back(control);
    }
    return result;
}

} // namespace

void alignControls(QWidget* container, QRect client)
{
    int left = client.left(), top = client.top();
    int right = client.left() + client.width(), bottom = client.top() + client.height();

    auto tops = alignedChildren(container, TAlign::alTop);
    std::stable_sort(tops.begin(), tops.end(), [](auto* a, auto* b) { return a->Top() < b->Top(); });
    for (TControl* c : tops) {
        c->SetBounds(left, top, right - left, c->Height());
        top += c->Height();
    }
    auto bottoms = alignedChildren(container, TAlign::alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(),
                     [](auto* a, auto* b) { return a->Top() + a->Height() > b->Top() + b->Height(); });
    for (TControl* c : bottoms) {
        bottom -= c->Height();
        c->SetBounds(left, bottom, right - left, c->Height());
    }
    auto lefts = alignedChildren(container, TAlign::alLeft);
    std::stable_sort(lefts.begin(), lefts.end(), [](auto* a, auto* b) { return a->Left() < b->Left(); });
    for (TControl* c : lefts) {
        c->SetBounds(left, top, c->Width(), bottom - top);
        left += c->Width();
    }
    auto rights = alignedChildren(container, TAlign::alRight);
    std::stable_sort(rights.begin(), rights.end(),
                     [](auto* a, auto* b) { return a->Left() + a->Width() > b->Left() + b->Width(); });
    for (TControl* c : rights) {
        right -= c->Width();
        c->SetBounds(right, top, c->Width(), bottom - top);
    }
    for (TControl* c : alignedChildren(container, TAlign::alClient))
        c->SetBounds(left, top, right - left, bottom - top);
}
