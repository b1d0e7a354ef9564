#pragma once

#include "CObject.h"

#include <cstddef>

// A place in a list; null is before the first and after the last element.
struct __POSITION;
using POSITION = __POSITION*;

// A doubly linked list of object pointers. The list does not own what it
// points to: whoever fills it deletes the objects.
class CObList
{
public:
    // The block size is the number of nodes obtained at a time.
    explicit CObList(int blockSize = 10);
    ~CObList();
    CObList(const CObList&) = delete;
    CObList& operator=(const CObList&) = delete;

    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    CObject*& GetHead();
    POSITION AddHead(CObject* element);
    POSITION AddTail(CObject* element);
    void RemoveAll();

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_head); }
    // The element at position, and position moved to the next (previous) one.
    CObject*& GetNext(POSITION& position);
    CObject*& GetAt(POSITION position);
    void RemoveAt(POSITION position);

    // The first position after start (from the head when null) holding
    // element, or null.
    POSITION Find(const CObject* element, POSITION start = nullptr) const;
    // The position of the index-th element, or null.
    POSITION FindIndex(int index) const;

private:
    struct Node
    {
        Node* next;
        Node* prev;
        CObject* data;
    };
    struct Block
    {
        Block* next;
    };

    Node* NewNode(Node* prev, Node* next, CObject* element);
    void FreeNode(Node* node);
    static Node* NodeAt(POSITION position) { return reinterpret_cast<Node*>(position); }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    Node* m_free = nullptr;
    Block* m_blocks = nullptr;
    int m_count = 0;
    int m_blockSize;
};
