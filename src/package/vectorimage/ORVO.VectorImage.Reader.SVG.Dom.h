#pragma once

// The few DOM facilities the SVG reader's units share, over pugixml.

#include <QString>
#include <pugixml.hpp>
#include <vector>

namespace orvo::svgdom {

// Node names as the DOM reports them, so that text and comments can be judged like elements.
inline QString NodeName(const pugi::xml_node& ANode)
{
    switch (ANode.type()) {
    case pugi::node_element:
    case pugi::node_pi:
        return QString::fromUtf8(ANode.name());
    case pugi::node_pcdata:
        return QStringLiteral("#text");
    case pugi::node_cdata:
        return QStringLiteral("#cdata-section");
    case pugi::node_comment:
        return QStringLiteral("#comment");
    case pugi::node_declaration:
        return QStringLiteral("xml");
    case pugi::node_doctype:
        return QStringLiteral("#doctype");
    default:
        return QString();
    }
}

inline QString LocalName(const pugi::xml_node& ANode)
{
    const QString name = NodeName(ANode);
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? name : name.mid(colon + 1);
}

inline bool HasAttribute(const pugi::xml_node& ANode, const char* AName) { return bool(ANode.attribute(AName)); }

// A missing attribute reads as empty text.
inline QString AttributeText(const pugi::xml_node& ANode, const char* AName)
{
    return QString::fromUtf8(ANode.attribute(AName).value());
}

// All text below a node, in document order (a "style" element may split its rules
// over text and CDATA sections).
inline QString TextContent(const pugi::xml_node& ANode)
{
    QString result;
    std::vector<pugi::xml_node> pending;
    for (pugi::xml_node child = ANode.last_child(); child; child = child.previous_sibling())
        pending.push_back(child);
    while (!pending.empty()) {
        const pugi::xml_node node = pending.back();
        pending.pop_back();
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            result += QString::fromUtf8(node.value());
        for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling())
            pending.push_back(child);
    }
    return result;
}

} // namespace orvo::svgdom
