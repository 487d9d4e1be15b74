#pragma once
// Live GDI objects of this process, counted in the GDI shared handle table
// (GetGuiResources is a stub under Wine). Warm up once before a baseline:
// the first use of a DC or font caches a few objects.
namespace quillon::test {
int LiveGdiObjects();
}
