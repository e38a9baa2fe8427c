#include "components/view/standard_icons.h"

#include <QApplication>
#include <map>

namespace standardicons {

const QIcon& icon(QStyle::StandardPixmap kind)
{
    static std::map<QStyle::StandardPixmap, QIcon> kept;
    auto it = kept.find(kind);
    if (it != kept.end())
        return it->second;
    // A themed icon asks the theme again for every new size; pictures in the sizes lists and
    // buttons use do not.
    const QIcon looked = QApplication::style()->standardIcon(kind);
    QIcon plain;
    for (int size : {16, 20, 22, 24, 32})
        if (const QPixmap p = looked.pixmap(size); !p.isNull())
            plain.addPixmap(p);
    return kept.emplace(kind, plain.isNull() ? looked : plain).first->second;
}

}  // namespace standardicons
