// Placing pictures on texture pages, first fit. The cost of 1,000 pictures against that of 250 shows
// how placement grows: linear growth gives 4, the target is at most 5.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "vantle/render/base_texture.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/proxy_texture.h"
#include "vantle/render/texture_pages.h"

namespace {

const unsigned int kPageSide = 1024;
// Different sequences enough that no processor learns them all.
const unsigned int kSequences = 16;

// A page that keeps no pixels, so that only placement is measured.
class NullPage : public render::BaseTexture {
public:
    explicit NullPage(unsigned int side) : BaseTexture(side) {}
    void load(Block*, const render::Bitmap&, unsigned int, unsigned int, unsigned int,
              unsigned int) override {}
};

// Small pictures of mixed sizes, 4 to 36 pixels a side, the same sequences every run.
using Pictures = std::vector<std::unique_ptr<render::Bitmap>>;

Pictures MixedPictures(int count, unsigned int seed) {
    Pictures pictures;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned int width = 4 + (seed >> 16) % 33;
        seed = seed * 1103515245u + 12345u;
        const unsigned int height = 4 + (seed >> 16) % 33;
        pictures.emplace_back(new render::Bitmap(width, height));
    }
    return pictures;
}

// Icons of one size, as a screen full of buttons has them.
Pictures SameSizePictures(int count) {
    Pictures pictures;
    for (int i = 0; i < count; ++i) pictures.emplace_back(new render::Bitmap(16, 16));
    return pictures;
}

// Each pass places the next of the sequences, as a game never places one sequence twice; with a single
// one a processor learns the branches of the shorter run and times it below its share of the work.
void Place(benchmark::State& state, const std::vector<Pictures>& sequences) {
    std::size_t pages_used = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        const Pictures& pictures = sequences[next++ % sequences.size()];
        std::vector<std::unique_ptr<render::ProxyTexture>> textures;
        textures.reserve(pictures.size());
        auto pages = std::make_unique<render::TexturePages<NullPage>>(kPageSide);
        for (const auto& picture : pictures) textures.emplace_back(pages->Place(*picture));
        pages_used = pages->Get().size();
        state.PauseTiming();
        textures.clear();
        pages.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = static_cast<double>(pages_used);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(sequences[0].size()));
}

void BM_PlaceMixedPictures(benchmark::State& state) {
    std::vector<Pictures> sequences;
    for (unsigned int seed = 1; seed <= kSequences; ++seed)
        sequences.push_back(MixedPictures(static_cast<int>(state.range(0)), seed * 12345u));
    Place(state, sequences);
}
BENCHMARK(BM_PlaceMixedPictures)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_PlaceSameSizePictures(benchmark::State& state) {
    std::vector<Pictures> sequences;
    sequences.push_back(SameSizePictures(static_cast<int>(state.range(0))));
    Place(state, sequences);
}
BENCHMARK(BM_PlaceSameSizePictures)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
