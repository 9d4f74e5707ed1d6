// The product's web host, named in file headers and in every address the program opens.
#pragma once

// A macro so that addresses can be spelled around it as single string literals.
#define FW_PRODUCT_HOST "facetwright.example.org"

constexpr char kProductHost[] = FW_PRODUCT_HOST;
