#pragma once
// What portable code asks of the view that shows the catalog tree. The main
// window's tree binding implements it; tests use a scripted fake.
namespace kv {

class Node;

class TreeViewPort {
public:
    virtual ~TreeViewPort() = default;
    virtual Node* selected() = 0;
    virtual void select(Node* node) = 0;
    virtual void expand(Node& node) = 0;
    virtual void collapse(Node& node) = 0;
};

}  // namespace kv
