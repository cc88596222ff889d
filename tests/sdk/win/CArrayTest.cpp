#include <gtest/gtest.h>

#include <stdexcept>

#include "sdk/win/CStringArray.h"
#include "sdk/win/CWordArray.h"

namespace {

TEST(CStringArray, AddsInsertsAndRemovesByIndex) {
  CStringArray names;
  EXPECT_TRUE(names.IsEmpty());
  EXPECT_EQ(names.Add(L"B"), 0);
  EXPECT_EQ(names.Add(L"D"), 1);
  names.InsertAt(0, L"A");
  names.InsertAt(2, L"C");
  names.InsertAt(99, L"E");  // past the end appends
  ASSERT_EQ(names.GetSize(), 5);
  EXPECT_EQ(names.GetUpperBound(), 4);
  for (int i = 0; i < names.GetSize(); ++i) EXPECT_EQ(names[i], CString(wchar_t(L'A' + i)));
  names.RemoveAt(1, 2);
  ASSERT_EQ(names.GetCount(), 3);
  EXPECT_EQ(names.GetAt(1), L"D");
  names.SetAt(1, L"d");
  names.ElementAt(2) += L"!";
  EXPECT_EQ(names[1], L"d");
  EXPECT_EQ(names[2], L"E!");
  names.InsertAt(1, L"x", 2);
  EXPECT_EQ(names.GetSize(), 5);
  EXPECT_EQ(names[2], L"x");

  CStringArray copy;
  copy.Copy(names);
  copy[0] = L"changed";
  EXPECT_EQ(names[0], L"A") << "arrays are values";
  EXPECT_EQ(copy.Append(names), 5);
  EXPECT_EQ(copy.GetSize(), 10);
  copy.SetSize(2);
  EXPECT_EQ(copy.GetSize(), 2);
  copy.SetSize(3);
  EXPECT_TRUE(copy[2].IsEmpty());
  copy.RemoveAll();
  EXPECT_TRUE(copy.IsEmpty());
}

TEST(CStringArray, AnIndexOutsideTheArrayIsRefused) {
  CStringArray names;
  names.Add(L"only");
  EXPECT_THROW(names.GetAt(1), std::out_of_range);
  EXPECT_THROW(names.GetAt(-1), std::out_of_range);
  EXPECT_THROW(names.SetAt(5, L"x"), std::out_of_range);
  EXPECT_THROW(names.RemoveAt(0, 2), std::out_of_range);
  EXPECT_THROW(names.InsertAt(-1, L"x"), std::out_of_range);
  EXPECT_EQ(names.GetSize(), 1);
  EXPECT_EQ(names[0], L"only");
}

TEST(CWordArray, HoldsSixteenBitCountsThatWrap) {
  CWordArray counts;
  counts.Add(65534);
  counts.ElementAt(0)++;
  EXPECT_EQ(counts[0], 65535);
  counts.ElementAt(0)++;
  EXPECT_EQ(counts[0], 0) << "a 16-bit count wraps after 65535";
  counts.SetSize(3);
  EXPECT_EQ(counts[2], 0);
}

}  // namespace
